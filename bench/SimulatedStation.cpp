// The demo-shaped station: its registry staged under HKCU, a counting and waiting RegistryApi over it.
#include "SimulatedStation.h"

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

constexpr const char* kSandbox = "Software\\TellurinBenchStation";
constexpr const char* kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunOnce = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr const char* kProfileList = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\";
constexpr const char* kStartupFolder =
    "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\";
constexpr const char* kBob = "S-1-5-21-1004336348-1177238915-682003330-1002";

// A key of the station that holds values: under "HKLM" or "HKU" of the sandbox.
struct StagedKey {
    const char* part;
    std::string path;
    std::vector<std::pair<const char*, const char*>> values;
    bool switches = false;  // binary StartupApproved values, the first holding its entry off
};

const std::vector<StagedKey>& ValueKeys() {
    static const std::vector<StagedKey> keys{
        {"HKLM",
         kRun,
         {{"Antivirus", "\"C:\\Program Files\\Guard\\guard.exe\" /background"},
          {"Pager", "C:\\Tools\\pager.exe -tray"},
          {"Updater", "C:\\Program Files\\Updater\\update.exe /quiet"},
          {"SoundMixer", "C:\\Windows\\mixer.exe"}}},
        {"HKLM",
         "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run",
         {{"UpdateScheduler", "\"C:\\Program Files (x86)\\Scheduler\\sched.exe\" -tray"}}},
        {"HKLM", kRunOnce, {{"FinishSetup", "C:\\Setup\\finish.exe /silent"}}},
        {"HKLM",
         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run",
         {{"SoundMixer", ""}},
         true},
        {"HKLM",
         "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run",
         {{"Inventory", "C:\\Tools\\inventory.exe"}}},
        {"HKU", std::string(".DEFAULT\\") + kRunOnce, {{"FirstLogon", "C:\\Setup\\firstlogon.cmd"}}},
        {"HKU", std::string(kBob) + "\\" + kRun, {{"Chat", "C:\\Programs\\Chat\\chat.exe"}}},
    };
    return keys;
}

// Keys a listing must try although this station lacks them: 32-bit RunOnce and the switches of the
// 32-bit Run key, bob's RunOnce, policy and switch keys, the switches of the All Users folder.
constexpr int kMissingKeysProbed = 6;

struct Profile {
    const char* sid;
    const char* user;  // nullptr: a service's profile, skipped by its SID
    std::vector<const char*> shortcuts;
};

const std::vector<Profile>& Profiles() {
    static const std::vector<Profile> profiles{
        {"S-1-5-18", nullptr, {}},
        {"S-1-5-19", nullptr, {}},
        {"S-1-5-20", nullptr, {}},
        {"S-1-5-21-1004336348-1177238915-682003330-1001", "alice", {"Notes.lnk"}},
        {kBob, "bob", {"Chat.lnk", "Weather.lnk"}},
        {"S-1-5-21-1004336348-1177238915-682003330-1003", "carol", {"Mail.lnk"}},
    };
    return profiles;
}

// What HKEY_USERS of a station with bob logged on holds.
const std::vector<std::string>& LoadedHives() {
    static const std::vector<std::string> hives{".DEFAULT", "S-1-5-19", "S-1-5-20",
                                                "S-1-5-18", kBob,       std::string(kBob) + "_Classes"};
    return hives;
}

std::atomic<DWORD> latency{0};
std::atomic<long> connects, opens, closes, valueQueries, infoQueries, valueEnums, keyEnums, others;

LONG Counted(std::atomic<long>& counter, LONG result) {
    ++counter;
    return result;
}

void Wait() {
    if (const DWORD ms = latency.load())
        Sleep(ms);
}

HKEY Created(const std::string& path) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
}

void StageKey(const StagedKey& staged) {
    HKEY key = Created(std::string(kSandbox) + "\\" + staged.part + "\\" + staged.path);
    for (const auto& [name, text] : staged.values) {
        if (staged.switches) {
            const BYTE off[12] = {0x03, 0x00, 0x00, 0x00, 0x8C, 0x21, 0x4B, 0x55, 0xA7, 0x3E, 0xDA, 0x01};
            RegSetValueExA(key, name, 0, REG_BINARY, off, sizeof off);
        } else {
            RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                           static_cast<DWORD>(std::strlen(text) + 1));
        }
    }
    RegCloseKey(key);
}

// A profile key as Windows writes it: the path among its other values.
void StageProfile(const Profile& profile) {
    HKEY key = Created(std::string(kSandbox) + "\\HKLM\\" + kProfileList + profile.sid);
    const std::string home = profile.user ? std::string("C:\\Users\\") + profile.user
                                          : std::string("%systemroot%\\system32\\config\\systemprofile");
    const DWORD flags = 0, state = 0;
    const BYTE sid[16] = {1, 5, 0, 0, 0, 0, 0, 5, 21, 0, 0, 0};
    RegSetValueExA(key, "Flags", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags), sizeof flags);
    RegSetValueExA(key, "ProfileImagePath", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(home.c_str()),
                   static_cast<DWORD>(home.size() + 1));
    RegSetValueExA(key, "Sid", 0, REG_BINARY, sid, sizeof sid);
    RegSetValueExA(key, "State", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&state), sizeof state);
    RegCloseKey(key);
    if (!profile.user)
        return;
    const std::string folder = SimulatedDrive() + "Users\\" + profile.user + kStartupFolder;
    std::filesystem::create_directories(folder);
    for (const char* shortcut : profile.shortcuts)
        std::ofstream(folder + shortcut).put('\0');  // the listing reads names only
}

// A station's 32-bit view of SOFTWARE is its Wow6432Node, as Windows redirects it.
std::string In32BitView(const char* path, REGSAM access) {
    std::string text = path != nullptr ? path : "";
    if ((access & KEY_WOW64_32KEY) == 0 || _strnicmp(text.c_str(), "SOFTWARE\\", 9) != 0 ||
        _strnicmp(text.c_str(), "SOFTWARE\\Wow6432Node", 20) == 0)
        return text;
    return "SOFTWARE\\Wow6432Node\\" + text.substr(9);
}

LONG WINAPI Connect(LPCSTR, HKEY root, PHKEY result) {
    Wait();
    const char* part = root == HKEY_LOCAL_MACHINE ? "\\HKLM" : root == HKEY_USERS ? "\\HKU" : nullptr;
    if (part == nullptr)
        return Counted(connects, ERROR_INVALID_HANDLE);
    return Counted(connects, RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kSandbox) + part).c_str(), 0,
                                           KEY_ALL_ACCESS, result));
}

LONG WINAPI Open(HKEY key, LPCSTR path, DWORD options, REGSAM access, PHKEY result) {
    Wait();
    return Counted(opens, RegOpenKeyExA(key, In32BitView(path, access).c_str(), options,
                                        access & ~KEY_WOW64_32KEY, result));
}

LONG WINAPI Create(HKEY key,
                   LPCSTR path,
                   DWORD reserved,
                   LPSTR type,
                   DWORD options,
                   REGSAM access,
                   LPSECURITY_ATTRIBUTES security,
                   PHKEY result,
                   LPDWORD disposition) {
    Wait();
    return Counted(others, RegCreateKeyExA(key, In32BitView(path, access).c_str(), reserved, type, options,
                                           access & ~KEY_WOW64_32KEY, security, result, disposition));
}

LONG WINAPI Close(HKEY key) {
    Wait();
    return Counted(closes, RegCloseKey(key));
}

LONG WINAPI QueryValue(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size) {
    Wait();
    return Counted(valueQueries, RegQueryValueExA(key, name, reserved, type, data, size));
}

LONG WINAPI SetValue(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
    Wait();
    return Counted(others, RegSetValueExA(key, name, reserved, type, data, size));
}

LONG WINAPI DeleteValue(HKEY key, LPCSTR name) {
    Wait();
    return Counted(others, RegDeleteValueA(key, name));
}

LONG WINAPI QueryInfo(HKEY key,
                      LPSTR className,
                      LPDWORD classSize,
                      LPDWORD reserved,
                      LPDWORD subKeys,
                      LPDWORD maxSubKey,
                      LPDWORD maxClass,
                      LPDWORD values,
                      LPDWORD maxValueName,
                      LPDWORD maxValueData,
                      LPDWORD security,
                      PFILETIME written) {
    Wait();
    return Counted(infoQueries,
                   RegQueryInfoKeyA(key, className, classSize, reserved, subKeys, maxSubKey, maxClass, values,
                                    maxValueName, maxValueData, security, written));
}

LONG WINAPI EnumValue(HKEY key,
                      DWORD index,
                      LPSTR name,
                      LPDWORD nameSize,
                      LPDWORD reserved,
                      LPDWORD type,
                      LPBYTE data,
                      LPDWORD dataSize) {
    Wait();
    return Counted(valueEnums, RegEnumValueA(key, index, name, nameSize, reserved, type, data, dataSize));
}

LONG WINAPI EnumKey(HKEY key,
                    DWORD index,
                    LPSTR name,
                    LPDWORD nameSize,
                    LPDWORD reserved,
                    LPSTR className,
                    LPDWORD classSize,
                    PFILETIME written) {
    Wait();
    return Counted(keyEnums,
                   RegEnumKeyExA(key, index, name, nameSize, reserved, className, classSize, written));
}

}  // namespace

std::string SimulatedDrive() {
    return "C:\\tellurin_bench_station\\";
}

void StageSimulatedStation() {
    RemoveSimulatedStation();
    for (const StagedKey& key : ValueKeys())
        StageKey(key);
    for (const std::string& hive : LoadedHives())
        RegCloseKey(Created(std::string(kSandbox) + "\\HKU\\" + hive));
    for (const Profile& profile : Profiles())
        StageProfile(profile);
    const std::string common =
        SimulatedDrive() + "ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp\\";
    std::filesystem::create_directories(common);
    std::ofstream(common + "Backup Agent.lnk").put('\0');
}

void RemoveSimulatedStation() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSandbox);
    std::error_code ignored;
    std::filesystem::remove_all(SimulatedDrive(), ignored);
}

const RegistryApi& SimulatedStationApi() {
    static const RegistryApi api{Open,     Create,      Close,     Connect,   QueryValue,
                                 SetValue, DeleteValue, QueryInfo, EnumValue, EnumKey};
    return api;
}

void SetSimulatedLatency(DWORD milliseconds) {
    latency = milliseconds;
}

RegistryCalls TakeSimulatedCalls() {
    return {connects.exchange(0),    opens.exchange(0),      closes.exchange(0),   valueQueries.exchange(0),
            infoQueries.exchange(0), valueEnums.exchange(0), keyEnums.exchange(0), others.exchange(0)};
}

// Connecting and closing HKEY_LOCAL_MACHINE and HKEY_USERS; per key read, an open, one size query, one
// enumeration call per value and a close; one failed open per key probed that is not there; HKEY_USERS
// listed by one call per hive and the one that ends the list, ProfileList by an open, the same and a
// close; per user profile and per logged-on user's name, its ProfileList key opened, its path queried
// and closed.
long SimulatedStationFloor() {
    long floor = 4;
    for (const StagedKey& key : ValueKeys())
        floor += static_cast<long>(key.values.size()) + 3;
    floor += kMissingKeysProbed;
    floor += static_cast<long>(LoadedHives().size()) + 1;
    floor += static_cast<long>(Profiles().size()) + 3;
    for (const Profile& profile : Profiles())
        floor += profile.user ? 3 : 0;
    const long loggedOnUsers = 1;  // bob
    return floor + 3 * loggedOnUsers;
}
