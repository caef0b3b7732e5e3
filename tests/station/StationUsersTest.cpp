// The browser values of another station go to the users logged on there, through a fake station
// whose registry is mapped onto local test keys.
#include <gtest/gtest.h>

#include "StationValues.h"
#include "support/FaultyRegistryApi.h"
#include "support/RecordingNotifier.h"
#include "FakeStationView.h"
#include "StationTestSupport.h"

namespace {

const std::string kStation = "Software\\TellurinTests\\Station";
const std::string kUsers = kStation + "\\HKU";
const std::string kMain = "\\Software\\Microsoft\\Internet Explorer\\Main";
const std::string kInternet = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
// Hives that are not logged-on users; listed in this order, before the users' hives.
const char* const kNotUsers[] = {".DEFAULT", "S-1-5-18", "S-1-5-21-7-1000_Classes"};

std::vector<HKEY>& ConnectedRoots() {
    static std::vector<HKEY> roots;
    return roots;
}

// "pc-07" answers like another computer: its HKEY_CURRENT_USER is refused, its HKEY_LOCAL_MACHINE and
// HKEY_USERS are test keys. Other names go to the real connection.
LONG WINAPI ConnectStation(LPCSTR machine, HKEY root, PHKEY result) {
    ConnectedRoots().push_back(root);
    if (std::string(machine) != "\\\\pc-07")
        return RegConnectRegistryA(machine, root, result);
    if (root != HKEY_LOCAL_MACHINE && root != HKEY_USERS)
        return ERROR_INVALID_HANDLE;
    const std::string path = kStation + (root == HKEY_USERS ? "\\HKU" : "\\HKLM");
    return RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, result,
                           nullptr);
}

class StationUsersTest : public ::testing::Test {
protected:
    StationUsersTest() {
        api_.connectRegistry = ConnectStation;
        ConnectedRoots().clear();
        SetTextValue(HKEY_CURRENT_USER, kStation + "\\HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                     "RegisteredOwner", "Station Owner");
        for (const char* hive : kNotUsers)
            AddHive(hive, 1);
    }
    ~StationUsersTest() override { DeleteKeyTree(HKEY_CURRENT_USER, kStation); }

    void AddHive(const std::string& hive, DWORD proxyEnable) {
        SetTextValue(HKEY_CURRENT_USER, kUsers + "\\" + hive + kMain, "Start Page", hive);
        SetTextValue(HKEY_CURRENT_USER, kUsers + "\\" + hive + kInternet, "ProxyServer", hive + ":80");
        SetNumberValue(HKEY_CURRENT_USER, kUsers + "\\" + hive + kInternet, "ProxyEnable", proxyEnable);
    }
    std::string StartPage(const std::string& hive) {
        return StoredText(HKEY_CURRENT_USER, kUsers + "\\" + hive + kMain, "Start Page");
    }
    std::string BrowserFields() {
        return view_.fields[StationField::LE_OwnersName] + "|" + view_.fields[StationField::LE_HomePage] +
               "|" + view_.fields[StationField::LE_Proxy];
    }

    ScopedFaults faults_;
    RegistryApi api_ = FaultyRegistryApi();
    FakeStationView view_;
    RecordingNotifier notifier_;
    StationValues values_{view_, notifier_, api_};
};

TEST_F(StationUsersTest, AnotherStationReadsTheFirstUserAndWritesEveryUser) {
    AddHive("S-1-5-21-7-1001", 1);
    AddHive("S-1-5-21-7-1002", 0);
    values_.GetStationValues("pc-07");
    EXPECT_EQ(BrowserFields(), "Station Owner|S-1-5-21-7-1001|S-1-5-21-7-1001:80");
    EXPECT_EQ(view_.radio, ProxyRadio::RB_ProxyEnabled);
    EXPECT_TRUE(notifier_.events.empty());

    values_.Button_SetHomePageClick("pc-07", "http://new/");
    values_.RB_ProxyDisabledClick();
    values_.Button_SetProxyClick("pc-07", "p:1");
    for (const char* user : {"S-1-5-21-7-1001", "S-1-5-21-7-1002"}) {
        EXPECT_EQ(StartPage(user), "http://new/");
        EXPECT_EQ(StoredText(HKEY_CURRENT_USER, kUsers + "\\" + user + kInternet, "ProxyServer"), "p:1");
        EXPECT_EQ(StoredNumber(HKEY_CURRENT_USER, kUsers + "\\" + user + kInternet, "ProxyEnable"), 0u);
    }
    for (const char* other : kNotUsers)
        EXPECT_EQ(StartPage(other), other);
    EXPECT_EQ(notifier_.events, (std::vector<std::string>{
                                    "Information: The HOME PAGE was updated successfully on PC-07 !",
                                    "Information: The PROXY SERVER was updated successfully on PC-07 !",
                                    "Information: The PROXY SERVER was disabled successfully on PC-07 !"}));

    // A user whose key is missing fails once, naming the station, after the other user was written.
    notifier_.events.clear();
    DeleteKeyTree(HKEY_CURRENT_USER, kUsers + "\\S-1-5-21-7-1002" + kMain);
    EXPECT_EQ(ErrorOf([&] { values_.Button_SetHomePageClick("pc-07", "http://again/"); }),
              "Failed to set data for 'Start Page' on station PC-07 !");
    EXPECT_EQ(StartPage("S-1-5-21-7-1001"), "http://again/");
    EXPECT_TRUE(notifier_.events.empty());
}

TEST_F(StationUsersTest, NobodyLoggedOnReadsAsUnsetAndWarnsWithoutWriting) {
    values_.RB_ProxyEnabledClick();
    values_.GetStationValues("pc-07");
    EXPECT_EQ(BrowserFields(), "Station Owner|(Value is not set)|(Value is not set)");
    EXPECT_EQ(view_.radio, ProxyRadio::RB_ProxyDisabled);
    EXPECT_TRUE(notifier_.events.empty());

    values_.Button_SetHomePageClick("pc-07", "http://new/");
    EXPECT_EQ(notifier_.events,
              std::vector<std::string>{"Warning: There is NO user logged on to station PC-07 !"});
    for (const char* other : kNotUsers)
        EXPECT_EQ(StartPage(other), other);
    EXPECT_EQ(Faults().calls[RegCall::SetValue], 0);
}

TEST_F(StationUsersTest, ThisComputerKeepsItsCurrentUserRoot) {
    std::string lower = LocalComputerName();
    for (char& c : lower)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    values_.ReadStationHomePage(lower);
    values_.ReadStationProxyServer(".");
    EXPECT_EQ(ConnectedRoots(), (std::vector<HKEY>{HKEY_CURRENT_USER, HKEY_CURRENT_USER}));
}

}  // namespace
