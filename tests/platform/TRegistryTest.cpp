// TRegistry's keys: path resolution, roots, connections, and what a failure leaves behind.
#include <gtest/gtest.h>

#include "TRegistry.h"
#include "support/FaultyRegistryApi.h"
#include "support/KeySnapshot.h"

namespace {

const std::string kSandbox = "Software\\TellurinTests";

class TRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteKeyTree(HKEY_CURRENT_USER, kSandbox);
        SetTextValue(HKEY_CURRENT_USER, kSandbox + "\\A\\B", "marker", "b");
        SetTextValue(HKEY_CURRENT_USER, kSandbox + "\\A", "marker", "a");
    }
    void TearDown() override { DeleteKeyTree(HKEY_CURRENT_USER, kSandbox); }
    ScopedFaults faults_;
};

TEST_F(TRegistryTest, ResolvesAbsoluteAndRelativePaths) {
    TRegistry registry;
    EXPECT_EQ(registry.RootKey(), HKEY_CURRENT_USER);
    EXPECT_EQ(registry.Access(), static_cast<REGSAM>(KEY_ALL_ACCESS));

    // Relative with no key open: from the root.
    ASSERT_TRUE(registry.OpenPath(kSandbox, false));
    EXPECT_EQ(registry.CurrentPath(), kSandbox);

    // Relative with a key open: beneath it, and the paths join with a backslash.
    ASSERT_TRUE(registry.OpenPath("A", false));
    EXPECT_EQ(registry.CurrentPath(), kSandbox + "\\A");
    EXPECT_EQ(registry.ReadText("marker"), "a");

    // Absolute while a key is open: from the root again, without its leading backslash.
    ASSERT_TRUE(registry.OpenPath("\\" + kSandbox + "\\A\\B\\", false));
    EXPECT_EQ(registry.CurrentPath(), kSandbox + "\\A\\B\\");
    EXPECT_EQ(registry.ReadText("marker"), "b");
}

TEST_F(TRegistryTest, OpensRelativePathUnderHkeyUsersFromTheRoot) {
    KeySnapshot snapshot(HKEY_USERS, ".DEFAULT\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce");
    SetTextValue(HKEY_USERS, ".DEFAULT\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "probe", "x");
    TRegistry registry;
    registry.SelectRoot(HKEY_USERS);
    ASSERT_TRUE(registry.OpenPath(".DEFAULT\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", false));
    EXPECT_EQ(registry.ReadText("probe"), "x");
}

TEST_F(TRegistryTest, FailedOpenKeepsTheOldKeyAndCreatesNothing) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenPath(kSandbox + "\\A", false));
    HKEY before = registry.CurrentKey();

    EXPECT_FALSE(registry.OpenPath("\\" + kSandbox + "\\Missing", false));
    EXPECT_EQ(registry.LastResult(), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSandbox + "\\Missing"));
    EXPECT_FALSE(registry.OpenPathForReading("Missing"));
    EXPECT_EQ(registry.LastResult(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(registry.CurrentKey(), before);
    EXPECT_EQ(registry.CurrentPath(), kSandbox + "\\A");
    EXPECT_EQ(registry.ReadText("marker"), "a");
}

TEST_F(TRegistryTest, CreatesMissingKeysAlongThePath) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenPath("\\" + kSandbox + "\\New\\Deeper\\", true));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kSandbox + "\\New\\Deeper"));
}

TEST_F(TRegistryTest, EmptyOrSingleBackslashPathOpensTheBaseKeyWithoutCreating) {
    TRegistry registry(FaultyRegistryApi());
    ASSERT_TRUE(registry.OpenPath(kSandbox + "\\A", false));
    HKEY first = registry.CurrentKey();
    ASSERT_TRUE(registry.OpenPath("", true));
    EXPECT_NE(registry.CurrentKey(), first);  // a second handle on the same key
    EXPECT_EQ(registry.ReadText("marker"), "a");
    EXPECT_EQ(registry.CurrentPath(), kSandbox + "\\A\\");

    ASSERT_TRUE(registry.OpenPath("\\", true));  // the root itself
    EXPECT_EQ(registry.CurrentPath(), "");
    EXPECT_EQ(Faults().calls[RegCall::CreateKey], 0);
}

TEST_F(TRegistryTest, OpenForReadingFallsBackToSmallerMasksAndKeepsIt) {
    // Refuse the first two masks by failing every open whose mask is larger than a value query.
    struct OnlyQueryValue {
        static LONG WINAPI Open(HKEY key, LPCSTR path, DWORD options, REGSAM access, PHKEY result) {
            Faults().openMasks.push_back(access);
            if (access != KEY_QUERY_VALUE)
                return ERROR_ACCESS_DENIED;
            return RegOpenKeyExA(key, path, options, access, result);
        }
    };
    RegistryApi api = FaultyRegistryApi();
    api.openKeyEx = OnlyQueryValue::Open;
    TRegistry limited(api);
    ASSERT_TRUE(limited.OpenPathForReading(kSandbox + "\\A"));
    EXPECT_EQ(Faults().openMasks,
              (std::vector<REGSAM>{KEY_READ, STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS,
                                   KEY_QUERY_VALUE}));
    EXPECT_EQ(limited.Access(), static_cast<REGSAM>(KEY_QUERY_VALUE));
    EXPECT_EQ(limited.ReadText("marker"), "a");

    // A later OpenPath on the same instance asks for the lowered mask.
    Faults().openMasks.clear();
    EXPECT_TRUE(limited.OpenPath("B", false));
    EXPECT_EQ(Faults().openMasks, std::vector<REGSAM>{KEY_QUERY_VALUE});
}

TEST_F(TRegistryTest, OpenPathAsksForFullAccessAndFailsWhereRefused) {
    faults_.Fail(RegCall::OpenKey, "TellurinTests");
    TRegistry registry(FaultyRegistryApi());
    EXPECT_FALSE(registry.OpenPath(kSandbox, false));
    EXPECT_EQ(registry.LastResult(), ERROR_ACCESS_DENIED);  // refused, not missing
    EXPECT_EQ(Faults().openMasks.back(), static_cast<REGSAM>(KEY_ALL_ACCESS));
    EXPECT_EQ(registry.CurrentKey(), nullptr);
    ASSERT_TRUE(registry.OpenPath("Software", false));
    EXPECT_EQ(registry.LastResult(), ERROR_SUCCESS);  // a success is kept as well
}

TEST_F(TRegistryTest, SelectRootKeepsTheKeyForTheSameRootOnly) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenPath(kSandbox, false));
    registry.SelectRoot(HKEY_CURRENT_USER);
    EXPECT_NE(registry.CurrentKey(), nullptr);
    registry.SelectRoot(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(registry.CurrentKey(), nullptr);
    EXPECT_EQ(registry.CurrentPath(), "");
}

std::string LocalStation() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    GetComputerNameA(name, &size);
    return std::string("\\\\") + name;
}

// Answers as a remote computer would: with a new handle that the caller must close (the sandbox's
// parent key stands in for the station's root).
LONG WINAPI ConnectWithNewHandle(LPCSTR machine, HKEY, PHKEY result) {
    if (machine && std::string(machine).find("no-such") != std::string::npos)
        return ERROR_BAD_NETPATH;
    return RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, result);
}

TEST_F(TRegistryTest, ConnectsToTheLocalComputerByNameAndNotToAnUnknownOne) {
    TRegistry registry;
    registry.SelectRoot(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(registry.ConnectComputer("\\\\no-such-station-tellurin"));
    EXPECT_EQ(registry.RootKey(), HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(registry.IsRootConnected());

    ASSERT_TRUE(registry.ConnectComputer(LocalStation()));
    EXPECT_TRUE(registry.OpenPathForReading("\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\"));
}

TEST_F(TRegistryTest, ConnectLeavesNoKeyOpenAndReleasesConnectedRoots) {
    RegistryApi api = FaultyRegistryApi();
    api.connectRegistry = ConnectWithNewHandle;
    HKEY firstRoot = nullptr;
    HKEY secondRoot = nullptr;
    HKEY openKey = nullptr;
    {
        TRegistry registry(api);
        ASSERT_TRUE(registry.OpenPath(kSandbox, false));
        HKEY before = registry.CurrentKey();
        ASSERT_TRUE(registry.ConnectComputer("\\\\STATION"));
        EXPECT_TRUE(registry.IsRootConnected());
        EXPECT_EQ(registry.CurrentKey(), nullptr);
        ASSERT_EQ(Faults().closed, std::vector<HKEY>{before});
        firstRoot = registry.RootKey();

        EXPECT_FALSE(registry.ConnectComputer("\\\\no-such-station"));
        EXPECT_EQ(registry.LastResult(), ERROR_BAD_NETPATH);
        EXPECT_EQ(registry.RootKey(), firstRoot);  // a failed connect changes nothing

        registry.SelectRoot(HKEY_LOCAL_MACHINE);  // replacing a connected root closes it
        ASSERT_EQ(Faults().closed.size(), 2u);
        EXPECT_EQ(Faults().closed.back(), firstRoot);
        EXPECT_FALSE(registry.IsRootConnected());

        ASSERT_TRUE(registry.ConnectComputer("\\\\STATION"));
        secondRoot = registry.RootKey();
        ASSERT_TRUE(registry.OpenPath("TellurinTests", false));
        openKey = registry.CurrentKey();
        Faults().closed.clear();
    }
    EXPECT_EQ(Faults().closed, (std::vector<HKEY>{openKey, secondRoot}));
}

TEST_F(TRegistryTest, PredefinedRootsAreNeverClosed) {
    {
        TRegistry registry(FaultyRegistryApi());
        registry.SelectRoot(HKEY_LOCAL_MACHINE);
        registry.SelectRoot(HKEY_USERS);
    }
    EXPECT_TRUE(Faults().closed.empty());
}

}  // namespace
