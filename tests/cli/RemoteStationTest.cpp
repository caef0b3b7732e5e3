// Other stations, simulated on this computer: each one's HKLM and HKU are keys of a sandbox, its drive
// C: is a folder; one station refuses the connection. And this computer by name, which is connected too.
#include <windows.h>

#include <filesystem>
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "Tellurinc.h"
#include "TExeInfo.h"
#include "ComApartment.h"
#include "ShellLink.h"
#include "SystemMessage.h"
#include "TextFiles.h"
#include "support/FaultyRegistryApi.h"
#include "support/KeySnapshot.h"

namespace {

const std::string kSandbox = "Software\\TellurinCliStations";
const std::string kRunPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::string kDrives = "C:\\tellurinc_stations_" + std::to_string(GetCurrentProcessId());

// The connections the simulated stations handed out, and how many opens beneath them answer as a
// broken connection does.
struct Connections {
    std::map<HKEY, int> asked;  // per predefined root
    std::map<HKEY, int> made;
    bool refuseUsers = false;
    std::set<HKEY> open;
    int opensToBreak = 0;
};
Connections connections;

LONG WINAPI ConnectSimulated(LPCSTR machine, HKEY root, PHKEY result) {
    const std::string name = std::string(machine).substr(2);  // after "\\"
    ++connections.asked[root];
    if (name == "ws02")
        return ERROR_BAD_NETPATH;
    if (connections.refuseUsers && root == HKEY_USERS)
        return ERROR_ACCESS_DENIED;
    const char* part = root == HKEY_LOCAL_MACHINE ? "\\HKLM" : root == HKEY_USERS ? "\\HKU" : nullptr;
    if (part == nullptr)
        return ERROR_INVALID_HANDLE;  // no computer offers another's current user
    const LONG made = RegCreateKeyExA(HKEY_CURRENT_USER, (kSandbox + "\\" + name + part).c_str(), 0, nullptr,
                                      0, KEY_ALL_ACCESS, nullptr, result, nullptr);
    if (made == ERROR_SUCCESS) {
        ++connections.made[root];
        connections.open.insert(*result);
    }
    return made;
}

LONG WINAPI CloseSimulated(HKEY key) {
    connections.open.erase(key);
    return RegCloseKey(key);
}

// A station's 32-bit view of SOFTWARE is its Wow6432Node, as Windows redirects it; a sandbox key is
// not redirected by itself.
std::string In32BitView(HKEY key, const char* path, REGSAM access) {
    const bool predefined = reinterpret_cast<ULONG_PTR>(key) >= 0x80000000u;
    std::string text = path != nullptr ? path : "";
    if ((access & KEY_WOW64_32KEY) == 0 || predefined || _strnicmp(text.c_str(), "SOFTWARE\\", 9) != 0)
        return text;
    return "SOFTWARE\\Wow6432Node\\" + text.substr(9);
}

LONG WINAPI OpenSimulated(HKEY key, LPCSTR path, DWORD options, REGSAM access, PHKEY result) {
    if (connections.open.count(key) != 0 && connections.opensToBreak > 0) {
        --connections.opensToBreak;
        return RPC_S_SERVER_UNAVAILABLE;
    }
    return RegOpenKeyExA(key, In32BitView(key, path, access).c_str(), options, access, result);
}

LONG WINAPI CreateSimulated(HKEY key,
                            LPCSTR path,
                            DWORD reserved,
                            LPSTR type,
                            DWORD options,
                            REGSAM access,
                            LPSECURITY_ATTRIBUTES security,
                            PHKEY result,
                            LPDWORD disposition) {
    return RegCreateKeyExA(key, In32BitView(key, path, access).c_str(), reserved, type, options, access,
                           security, result, disposition);
}

const RegistryApi& SimulatedApi() {
    static const RegistryApi api = [] {
        RegistryApi simulated = RealRegistryApi();
        simulated.connectRegistry = ConnectSimulated;
        simulated.openKeyEx = OpenSimulated;
        simulated.createKeyEx = CreateSimulated;
        simulated.closeKey = CloseSimulated;
        return simulated;
    }();
    return api;
}

// Wine's menu builder may still hold a shortcut just written: what it holds is left to the next run.
void RemoveDrives() {
    std::error_code ignored;
    std::filesystem::remove_all(kDrives, ignored);
}

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

ToolRun Tellurinc(const LocalMachine& local, const std::vector<std::string>& args) {
    ToolRun run{};
    CliEnvironment environment;
    environment.writeOut = [&](const std::string& text) { run.out += text; };
    environment.writeErr = [&](const std::string& text) { run.err += text; };
    environment.computerName = local.computerName;
    environment.work = [local](const CliCommand& command, const std::string& station) {
        return WorkStation(command, station, local);
    };
    run.status = RunTellurinc(args, environment).exitStatus;
    return run;
}

TEST(TellurincRemote, AnotherStationIsWorkedThroughItsRegistryAndDriveOnly) {
    ComApartment com;
    KeySnapshot ownRun(HKEY_CURRENT_USER, kRunPath);
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "OwnUserOnly", "C:\\own.exe");
    SetTextValue(HKEY_CURRENT_USER, kSandbox + "\\ws01\\HKLM\\" + kRunPath, "Pager", "C:\\Tools\\pager.exe");
    // carol is logged on to ws01: her hive is loaded there, and its ProfileList names her.
    const std::string carolRun = kSandbox + "\\ws01\\HKU\\S-1-5-21-9-9-9-1001\\" + kRunPath;
    SetTextValue(HKEY_CURRENT_USER, carolRun, "Chat", "C:\\Chat\\chat.exe");
    SetTextValue(HKEY_CURRENT_USER,
                 kSandbox +
                     "\\ws01\\HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\"
                     "S-1-5-21-9-9-9-1001",
                 "ProfileImagePath", "C:\\Users\\carol");
    const std::string drive = kDrives + "\\ws01\\";
    const std::string folder = drive + "Docume~1\\alice\\Start Menu\\Programs\\Startup\\";
    std::filesystem::create_directories(folder);
    ASSERT_TRUE(CreateShortcut("C:\\Programs\\notes.exe", folder.substr(0, folder.size() - 1), "Notes"));
    const LocalMachine local{"HERE", kDrives, &SimulatedApi(),
                             [](const std::string& name) { return kDrives + "\\" + name + "\\"; }};

    ToolRun list = Tellurinc(local, {"list", "--station", "ws01", "--station", "ws02", "--format", "csv"});
    EXPECT_EQ(list.status, 1);  // ws02 does not answer
    EXPECT_EQ(list.out,
              "station,location,name,command,status\r\nws01,HKLM_Run,Pager,C:\\Tools\\pager.exe,Enabled\r\n"
              "ws01,carol\\Run,Chat,C:\\Chat\\chat.exe,Enabled\r\n"
              "ws01,alice\\Startup,Notes.lnk," +
                  folder + "Notes.lnk,Enabled\r\n");
    EXPECT_NE(list.err.find("ws01: 3 entries\r\n"), std::string::npos) << list.err;
    EXPECT_NE(list.err.find("ws02: " + SystemMessage(ERROR_BAD_NETPATH) + "\r\n"), std::string::npos);
    EXPECT_EQ(Tellurinc(local, {"list", "--user", "Carol", "--station", "ws01", "--format", "csv"}).out,
              "station,location,name,command,status\r\nws01,carol\\Run,Chat,C:\\Chat\\chat.exe,Enabled\r\n");
    EXPECT_EQ(Tellurinc(local, {"disable", "--location", "CAROL\\run", "--name", "chat", "--station", "ws01"})
                  .status,
              0);
    EXPECT_FALSE(GetRawValue(HKEY_CURRENT_USER, carolRun, "Chat").exists);
    EXPECT_NE(ReadWholeFile(kDrives + "\\WS01_reg_disabled.ini").find("Run\\carol\r\nChat\r\n"),
              std::string::npos);
    EXPECT_EQ(Tellurinc(local, {"enable", "--location", "carol\\Run", "--name", "Chat", "--station", "ws01"})
                  .status,
              0);
    EXPECT_TRUE(GetRawValue(HKEY_CURRENT_USER, carolRun, "Chat").exists);

    EXPECT_EQ(Tellurinc(local, {"disable", "--location", "hklm_run", "--name", "pager", "--station", "ws01"})
                  .status,
              0);
    EXPECT_EQ(Tellurinc(local, {"disable", "--location", "alice\\Startup", "--name", "Notes.lnk", "--station",
                                "ws01"})
                  .status,
              0);
    EXPECT_FALSE(GetRawValue(HKEY_CURRENT_USER, kSandbox + "\\ws01\\HKLM\\" + kRunPath, "Pager").exists);
    EXPECT_FALSE(std::filesystem::exists(folder + "Notes.lnk"));
    EXPECT_TRUE(std::filesystem::exists(kDrives + "\\WS01_reg_disabled.ini"));

    EXPECT_EQ(
        Tellurinc(local, {"enable", "--location", "HKLM_Run", "--name", "Pager", "--station", "ws01"}).status,
        0);
    EXPECT_EQ(Tellurinc(local, {"enable", "--location", "alice\\Startup", "--name", "Notes.lnk", "--station",
                                "ws01"})
                  .status,
              0);
    EXPECT_TRUE(GetRawValue(HKEY_CURRENT_USER, kSandbox + "\\ws01\\HKLM\\" + kRunPath, "Pager").exists);
    EXPECT_TRUE(std::filesystem::exists(folder + "Notes.lnk"));
    EXPECT_TRUE(GetRawValue(HKEY_CURRENT_USER, kRunPath, "OwnUserOnly").exists);

    DeleteKeyTree(HKEY_CURRENT_USER, kSandbox);
    RemoveDrives();
}

// On a network every connection costs round trips: one per root serves every view, the profile
// search and the logged-on users, and goes when the station's work ends. One that breaks is made again.
TEST(TellurincRemote, ListingEveryViewConnectsEachRootOnce) {
    ComApartment com;
    const std::string station = kSandbox + "\\ws04";
    SetTextValue(HKEY_CURRENT_USER, station + "\\HKLM\\" + kRunPath, "Pager", "C:\\Tools\\pager.exe");
    SetTextValue(HKEY_CURRENT_USER, station + "\\HKU\\S-1-5-21-4-4-4-1001\\" + kRunPath, "Chat",
                 "C:\\chat.exe");
    SetTextValue(HKEY_CURRENT_USER,
                 station +
                     "\\HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\"
                     "S-1-5-21-4-4-4-1001",
                 "ProfileImagePath", "C:\\Users\\dave");
    std::filesystem::create_directories(kDrives + "\\ws04\\Users\\dave");
    const LocalMachine local{"HERE", kDrives, &SimulatedApi(),
                             [](const std::string& name) { return kDrives + "\\" + name + "\\"; }};
    const std::string rows =
        "station,location,name,command,status\r\nws04,HKLM_Run,Pager,C:\\Tools\\pager.exe,"
        "Enabled\r\nws04,dave\\Run,Chat,C:\\chat.exe,Enabled\r\n";
    connections = {};

    EXPECT_EQ(Tellurinc(local, {"list", "--station", "ws04", "--format", "csv"}).out, rows);
    EXPECT_EQ(connections.made, (std::map<HKEY, int>{{HKEY_LOCAL_MACHINE, 1}, {HKEY_USERS, 1}}));
    EXPECT_TRUE(connections.open.empty());

    connections = {};
    connections.opensToBreak = 1;
    EXPECT_EQ(Tellurinc(local, {"list", "--station", "ws04", "--format", "csv"}).out, rows);
    EXPECT_EQ(connections.made[HKEY_LOCAL_MACHINE], 2);
    EXPECT_TRUE(connections.open.empty());

    // A root the station refuses is asked for once, not again by every view that needs it.
    connections = {};
    connections.refuseUsers = true;
    const ToolRun refused = Tellurinc(local, {"list", "--station", "ws04", "--format", "csv"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.out.find("ws04,HKLM_Run,Pager"), std::string::npos) << refused.out;
    EXPECT_EQ(connections.asked[HKEY_USERS], 1);

    DeleteKeyTree(HKEY_CURRENT_USER, kSandbox);
    RemoveDrives();
}

TEST(TellurincRemote, ProfilesOfAStationWithoutTheOlderLayoutComeFromItsProfileList) {
    ComApartment com;
    const std::string list =
        kSandbox + "\\ws03\\HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
    SetTextValue(HKEY_CURRENT_USER, list + "\\S-1-5-21-7-1001", "ProfileImagePath", "C:\\Users\\bob");
    SetTextValue(HKEY_CURRENT_USER, list + "\\S-1-5-18", "ProfileImagePath", "C:\\Windows\\system32");
    const std::string drive = kDrives + "\\ws03\\";
    const std::string bob =
        drive + "Users\\bob\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
    const std::string common = drive + "ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";
    std::filesystem::create_directories(bob);
    std::filesystem::create_directories(common);
    std::filesystem::create_directories(drive + "Windows\\system32");
    ASSERT_TRUE(CreateShortcut("C:\\Programs\\chat.exe", bob, "Chat"));
    ASSERT_TRUE(CreateShortcut("C:\\Programs\\backup.exe", common, "Backup"));
    const LocalMachine local{"HERE", kDrives, &SimulatedApi(),
                             [](const std::string& name) { return kDrives + "\\" + name + "\\"; }};

    const ToolRun run =
        Tellurinc(local, {"list", "--location", "Startup", "--station", "ws03", "--format", "csv"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "station,location,name,command,status\r\n"
              "ws03,All Users\\Startup,Backup.lnk," +
                  common +
                  "\\Backup.lnk,Enabled\r\n"
                  "ws03,bob\\Startup,Chat.lnk," +
                  bob + "\\Chat.lnk,Enabled\r\n");

    DeleteKeyTree(HKEY_CURRENT_USER, kSandbox);
    RemoveDrives();
}

TEST(TellurincRemote, ThisComputerByNameIsConnectedAsAnotherStationIs) {
    ScopedFaults faults;
    KeySnapshot ownRun(HKEY_CURRENT_USER, kRunPath);
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "OwnUserValue", "C:\\own.exe");
    std::string name = LocalComputerName();
    CharLowerBuffA(name.data(), static_cast<DWORD>(name.size()));
    const LocalMachine local{LocalComputerName(), kDrives, &FaultyRegistryApi()};

    const ToolRun run = Tellurinc(local, {"list", "--station", name, "--format", "csv"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_GT(Faults().calls[RegCall::Connect], 0);
    EXPECT_NE(run.out.find(name + ",HKCU_Run,OwnUserValue,C:\\own.exe,Enabled"), std::string::npos)
        << run.out;
}

}  // namespace
