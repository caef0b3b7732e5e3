// TRegistry's values: the type and size rules of reading, what writing stores, and listing names.
#include <gtest/gtest.h>

#include "Errors.h"
#include "TRegistry.h"
#include "support/FaultyRegistryApi.h"
#include "support/KeySnapshot.h"

namespace {

const std::string kSandbox = "Software\\TellurinTests";

class TRegistryValuesTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteKeyTree(HKEY_CURRENT_USER, kSandbox);
        SetTextValue(HKEY_CURRENT_USER, kSandbox, "", "");  // create the key
        ASSERT_TRUE(registry_.OpenPath(kSandbox, false));
    }
    void TearDown() override {
        registry_.ClosePath();
        DeleteKeyTree(HKEY_CURRENT_USER, kSandbox);
    }
    void Raw(const std::string& name, DWORD type, const std::string& bytes) {
        SetRawValue(HKEY_CURRENT_USER, kSandbox, name, type, bytes.data(), static_cast<DWORD>(bytes.size()));
    }
    template <typename Call>
    std::string ErrorOf(Call call) {
        try {
            call();
        } catch (const ERegistryException& error) {
            return error.what();
        }
        return "no error";
    }

    ScopedFaults faults_;
    TRegistry registry_{FaultyRegistryApi()};
};

TEST_F(TRegistryValuesTest, ReadTextFollowsTheTypeAndSizeRules) {
    Raw("plain", REG_SZ, std::string("C:\\Tools\\pager.exe", 19));
    Raw("expand", REG_EXPAND_SZ, std::string("%ProgramFiles%\\x.exe", 21));
    Raw("empty", REG_SZ, std::string("", 1));
    Raw("embedded", REG_SZ, std::string("left\0right", 11));
    Raw("unterminated", REG_SZ, "no zero at the end");
    Raw("number", REG_DWORD, std::string("\x01\0\0\0", 4));
    Raw("nodata", REG_BINARY, "");

    EXPECT_EQ(registry_.ReadText("plain"), "C:\\Tools\\pager.exe");
    EXPECT_EQ(registry_.ReadText("expand"), "%ProgramFiles%\\x.exe");  // not expanded
    EXPECT_EQ(registry_.ReadText("empty"), "");
    EXPECT_EQ(registry_.ReadText("embedded"), "left");
    EXPECT_EQ(registry_.ReadText("unterminated"), "no zero at the end");
    EXPECT_EQ(registry_.ReadText("missing"), "");
    EXPECT_EQ(registry_.ReadText("nodata"), "");  // no data: nothing to judge the type by
    EXPECT_EQ(ErrorOf([&] { registry_.ReadText("number"); }), "Invalid data type for 'number'");
}

TEST_F(TRegistryValuesTest, ReadNumberFollowsTheTypeAndSizeRules) {
    Raw("one", REG_DWORD, std::string("\x01\0\0\0", 4));
    Raw("minus", REG_DWORD, std::string("\xFF\xFF\xFF\xFF", 4));
    Raw("short", REG_SZ, std::string("abc", 4));
    Raw("long", REG_SZ, std::string("abcd", 5));
    Raw("bytes", REG_BINARY, std::string("\x01\0\0\0", 4));

    EXPECT_EQ(registry_.ReadNumber("one"), 1);
    EXPECT_EQ(registry_.ReadNumber("minus"), -1);
    EXPECT_EQ(ErrorOf([&] { registry_.ReadNumber("missing"); }), "Failed to get data for 'missing'");
    EXPECT_EQ(ErrorOf([&] { registry_.ReadNumber("short"); }), "Invalid data type for 'short'");
    EXPECT_EQ(ErrorOf([&] { registry_.ReadNumber("long"); }), "Failed to get data for 'long'");
    EXPECT_EQ(ErrorOf([&] { registry_.ReadNumber("bytes"); }), "Invalid data type for 'bytes'");
}

TEST_F(TRegistryValuesTest, WritesStoreExactlyTheBytesAndTypes) {
    registry_.WriteText("empty", "");
    registry_.WriteText("text", "C:\\a b\\c.exe -x");
    registry_.WriteExpandableText("expand", "%SystemRoot%\\x.exe");
    registry_.WriteNumber("number", -2);

    RawValue empty = GetRawValue(HKEY_CURRENT_USER, kSandbox, "empty");
    EXPECT_EQ(empty.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(empty.data, std::vector<BYTE>{0});
    RawValue text = GetRawValue(HKEY_CURRENT_USER, kSandbox, "text");
    EXPECT_EQ(std::string(text.data.begin(), text.data.end()), std::string("C:\\a b\\c.exe -x", 16));
    EXPECT_EQ(GetRawValue(HKEY_CURRENT_USER, kSandbox, "expand").type, static_cast<DWORD>(REG_EXPAND_SZ));
    RawValue number = GetRawValue(HKEY_CURRENT_USER, kSandbox, "number");
    EXPECT_EQ(number.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(number.data, (std::vector<BYTE>{0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST_F(TRegistryValuesTest, FailedStoreRaisesWithTheValueName) {
    faults_.Fail(RegCall::SetValue, "Owner");
    EXPECT_EQ(ErrorOf([&] { registry_.WriteText("RegisteredOwner", "x"); }),
              "Failed to set data for 'RegisteredOwner'");
    EXPECT_EQ(ErrorOf([&] { registry_.WriteNumber("Owner", 1); }), "Failed to set data for 'Owner'");
    EXPECT_FALSE(GetRawValue(HKEY_CURRENT_USER, kSandbox, "RegisteredOwner").exists);
}

TEST_F(TRegistryValuesTest, RemoveAndHasValueReportByResult) {
    Raw("here", REG_SZ, std::string("x", 2));
    EXPECT_TRUE(registry_.HasValue("here"));
    EXPECT_FALSE(registry_.HasValue("gone"));
    EXPECT_TRUE(registry_.RemoveValue("here"));
    EXPECT_FALSE(registry_.HasValue("here"));
    EXPECT_FALSE(registry_.RemoveValue("here"));
}

TEST_F(TRegistryValuesTest, WithNoKeyOpenValueOperationsFail) {
    Raw("here", REG_SZ, std::string("x", 2));
    registry_.ClosePath();
    std::vector<std::string> names{"stale"};
    registry_.ListValueNames(names);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(registry_.ReadText("here"), "");
    EXPECT_FALSE(registry_.HasValue("here"));
    EXPECT_FALSE(registry_.RemoveValue("here"));
    EXPECT_EQ(ErrorOf([&] { registry_.ReadNumber("here"); }), "Failed to get data for 'here'");
    EXPECT_EQ(ErrorOf([&] { registry_.WriteText("here", "y"); }), "Failed to set data for 'here'");
    EXPECT_EQ(ErrorOf([&] { registry_.WriteNumber("here", 1); }), "Failed to set data for 'here'");
}

TEST_F(TRegistryValuesTest, ListsValueNamesInRegistryOrderWithTheDefaultAsEmpty) {
    std::vector<std::string> names{"stale"};
    registry_.ListValueNames(names);
    EXPECT_EQ(names, std::vector<std::string>{""});  // the key was created through its default value

    Raw("Zeta", REG_SZ, std::string("z", 2));
    Raw("alpha", REG_DWORD, std::string("\0\0\0\0", 4));
    registry_.ListValueNames(names);
    EXPECT_EQ(names, ValueNames(HKEY_CURRENT_USER, kSandbox));
    EXPECT_EQ(names.size(), 3u);
}

TEST_F(TRegistryValuesTest, ListValueNamesSkipsWhatTheRegistryDidNotFill) {
    Raw("first", REG_SZ, std::string("1", 2));
    Raw("second", REG_SZ, std::string("2", 2));

    // Report a longest name of one character: every name needs a retry with a larger buffer.
    struct ShortInfo {
        static LONG WINAPI Query(HKEY key,
                                 LPSTR cls,
                                 LPDWORD classLength,
                                 LPDWORD reserved,
                                 LPDWORD subKeys,
                                 LPDWORD maxSubKey,
                                 LPDWORD maxClass,
                                 LPDWORD values,
                                 LPDWORD maxValueName,
                                 LPDWORD maxValueData,
                                 LPDWORD security,
                                 PFILETIME lastWrite) {
            LONG result = RegQueryInfoKeyA(key, cls, classLength, reserved, subKeys, maxSubKey, maxClass,
                                           values, maxValueName, maxValueData, security, lastWrite);
            if (maxValueName)
                *maxValueName = 1;
            return result;
        }
    };
    RegistryApi api = RealRegistryApi();
    api.queryInfoKey = ShortInfo::Query;
    TRegistry shortNames(api);
    ASSERT_TRUE(shortNames.OpenPath(kSandbox, false));
    std::vector<std::string> names;
    shortNames.ListValueNames(names);
    EXPECT_EQ(names, ValueNames(HKEY_CURRENT_USER, kSandbox));

    // An enumeration that fails outright appends nothing for that index.
    faults_.Fail(RegCall::EnumValue);
    registry_.ListValueNames(names);
    EXPECT_TRUE(names.empty());
}

TEST_F(TRegistryValuesTest, ListValuesReturnsNamesKindsAndDataInOnePass) {
    Raw("text", REG_SZ, std::string("abc", 4));
    Raw("number", REG_DWORD, std::string("\x05\0\0\0", 4));
    std::vector<RegistryValue> values;
    registry_.ListValues(values);
    ASSERT_EQ(values.size(), 3u);
    for (const RegistryValue& value : values) {
        if (value.name == "text") {
            EXPECT_EQ(value.kind, ValueKind::Text);
            EXPECT_EQ(TextOfValue(value.name, value.kind, value.data.data(), value.data.size()), "abc");
        } else if (value.name == "number") {
            EXPECT_EQ(value.kind, ValueKind::Number);
            EXPECT_EQ(value.data, std::string("\x05\0\0\0", 4));
        }
    }
}

}  // namespace
