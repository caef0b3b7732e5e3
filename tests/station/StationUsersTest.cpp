// The browser values of another station go to the users logged on there, and one station's values
// cost one connection per root.
#include <gtest/gtest.h>

#include "StationValues.h"
#include "FakeStation.h"
#include "StationTestSupport.h"

namespace {

const std::string kMain = "\\Software\\Microsoft\\Internet Explorer\\Main";
const std::string kInternet = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
// Hives that are not logged-on users; listed in this order, before the users' hives.
const char* const kNotUsers[] = {".DEFAULT", "S-1-5-18", "S-1-5-21-7-1000_Classes"};

class StationUsersTest : public ::testing::Test {
protected:
    StationUsersTest() {
        for (const char* hive : kNotUsers)
            AddHive(hive, 1);
    }

    void AddHive(const std::string& hive, DWORD proxyEnable) {
        SetTextValue(HKEY_CURRENT_USER, kFakeStationUsers + "\\" + hive + kMain, "Start Page", hive);
        SetTextValue(HKEY_CURRENT_USER, kFakeStationUsers + "\\" + hive + kInternet, "ProxyServer",
                     hive + ":80");
        SetNumberValue(HKEY_CURRENT_USER, kFakeStationUsers + "\\" + hive + kInternet, "ProxyEnable",
                       proxyEnable);
    }
    std::string UserValue(const std::string& hive, const std::string& key, const char* name) {
        return StoredText(HKEY_CURRENT_USER, kFakeStationUsers + "\\" + hive + key, name);
    }
    // Get Values: owner, home page, proxy server and switch as the fields and radios show them.
    static std::string Read(StationValues& values) {
        StationReading reading;
        values.GetStationValues(reading);
        return reading.owner + "|" + reading.homePage + "|" + reading.proxyServer +
               (reading.proxyOn ? "|on" : "|off");
    }

    FakeStation station_;
    ScopedFaults faults_;
    RegistryApi api_ = FakeStationApi();
    const std::string name_ = LocalComputerName();
};

TEST_F(StationUsersTest, AnotherStationReadsTheFirstUserAndWritesEveryUser) {
    AddHive("S-1-5-21-7-1001", 1);
    AddHive("S-1-5-21-7-1002", 0);
    StationValues values("pc-07", name_, api_);
    EXPECT_EQ(Read(values), "Station Owner|S-1-5-21-7-1001|S-1-5-21-7-1001:80|on");

    EXPECT_EQ(OutcomeText(values.WriteStationHomePage("http://new/")),
              "done: The HOME PAGE was updated successfully on PC-07 !");
    EXPECT_EQ(OutcomeText(values.WriteStationProxyServer("p:1")),
              "done: The PROXY SERVER was updated successfully on PC-07 !");
    EXPECT_EQ(OutcomeText(values.WriteStationProxyEnable(0)),
              "done: The PROXY SERVER was disabled successfully on PC-07 !");
    for (const char* user : {"S-1-5-21-7-1001", "S-1-5-21-7-1002"}) {
        EXPECT_EQ(UserValue(user, kMain, "Start Page"), "http://new/");
        EXPECT_EQ(UserValue(user, kInternet, "ProxyServer"), "p:1");
        EXPECT_EQ(StoredNumber(HKEY_CURRENT_USER, kFakeStationUsers + "\\" + user + kInternet, "ProxyEnable"),
                  0u);
    }
    for (const char* other : kNotUsers)
        EXPECT_EQ(UserValue(other, kMain, "Start Page"), other);

    // A user whose key is missing fails once, naming the station, after the other user was written.
    DeleteKeyTree(HKEY_CURRENT_USER, kFakeStationUsers + "\\S-1-5-21-7-1002" + kMain);
    EXPECT_EQ(ErrorOf([&] { values.WriteStationHomePage("http://again/"); }),
              "Failed to set data for 'Start Page' on station PC-07 !");
    EXPECT_EQ(UserValue("S-1-5-21-7-1001", kMain, "Start Page"), "http://again/");
}

TEST_F(StationUsersTest, NobodyLoggedOnReadsAsUnsetAndIsRefusedWithoutWriting) {
    StationValues values("pc-07", name_, api_);
    EXPECT_EQ(Read(values), "Station Owner|(Value is not set)|(Value is not set)|off");

    EXPECT_EQ(OutcomeText(values.WriteStationHomePage("http://new/")),
              "refused: There is NO user logged on to station PC-07 !");
    EXPECT_EQ(OutcomeText(values.WriteStationProxyEnable(1)),
              "refused: There is NO user logged on to station PC-07 !");
    for (const char* other : kNotUsers)
        EXPECT_EQ(UserValue(other, kMain, "Start Page"), other);
    EXPECT_EQ(Faults().calls[RegCall::SetValue], 0);
}

TEST_F(StationUsersTest, GetValuesConnectsEachRootOnce) {
    AddHive("S-1-5-21-7-1001", 1);
    StationValues other("pc-07", name_, api_);
    Read(other);
    EXPECT_EQ(Faults().connected, (std::vector<HKEY>{HKEY_LOCAL_MACHINE, HKEY_USERS}));

    // This computer, by its name in any case or as ".", keeps its own current-user root.
    const std::string internet = kInternet.substr(1);
    KeySnapshot settings(HKEY_CURRENT_USER, internet);
    SetNumberValue(HKEY_CURRENT_USER, internet, "ProxyEnable", 0);
    std::string lower = name_;
    for (char& c : lower)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    for (const std::string& name : {lower, std::string(".")}) {
        Faults().connected.clear();
        StationValues local(name, name_, api_);
        Read(local);
        EXPECT_EQ(Faults().connected, (std::vector<HKEY>{HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})) << name;
    }

    // A station that refuses is asked once per root, and its refusal holds for every later write.
    faults_.Fail(RegCall::Connect);
    Faults().connected.clear();
    StationValues refused(name_, name_, api_);
    EXPECT_EQ(Read(refused), "none|none|none|off");
    EXPECT_EQ(OutcomeText(refused.WriteStationProxyServer("p:1")),
              "failed: I could NOT write to registry on station " + name_ + " !");
    EXPECT_EQ(Faults().connected, (std::vector<HKEY>{HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}));
}

}  // namespace
