// Machines of Windows 7 and later: profiles from the system, 32-bit Run keys, Windows' own startup
// switches and names in any script; and a machine of the older layout that keeps to it.
#include <shlobj.h>

#include <filesystem>

#include "StartupTestSupport.h"
#include "ProfileFolders.h"
#include "ShellLink.h"
#include "StartupMessages.h"
#include "StoreEncoding.h"

namespace {

using Lines = std::vector<std::string>;

const char* kRun32Path = "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* kRunOnce32Path = "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const std::string kApproved = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\";
const char* kProfileList = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\";
const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return std::string(path) + "\\";
}

void SetSwitch(HKEY root, const std::string& list, const std::string& name, unsigned char first) {
    std::string bytes(12, '\x5A');  // when it was switched
    bytes[0] = static_cast<char>(first);
    SetRawValue(root, kApproved + list, name, REG_BINARY, bytes.data(), 12);
}

std::string SwitchOf(HKEY root, const std::string& list, const std::string& name) {
    const RawValue value = GetRawValue(root, kApproved + list, name);
    return value.exists ? std::string(value.data.begin(), value.data.end()) : "<missing>";
}

StartupEntry Row(const FakeStartupView& view, const std::string& name, const std::string& location) {
    for (const StartupEntry& row : view.rows)
        if (row.appName == name && row.location == location)
            return row;
    ADD_FAILURE() << "no row " << name << " at " << location;
    return {};
}

bool HasWideValue(HKEY root, const char* path, const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    const bool found = RegQueryValueExW(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

// A profile the system lists under ProfileList, with its folder (unless told otherwise).
class RegisteredProfile {
public:
    RegisteredProfile(const std::string& stem, std::string sid, bool withFolder = true)
        : name_(UniqueName(stem)), sid_(std::move(sid)) {
        if (withFolder)
            folder_ = std::make_unique<ScratchFolder>("C:\\users\\" + name_);
        SetTextValue(HKEY_LOCAL_MACHINE, kProfileList + sid_, "ProfileImagePath",
                     "%SystemDrive%\\users\\" + name_, REG_EXPAND_SZ);
        if (withFolder)
            std::filesystem::create_directories(StartupFolder());
    }
    ~RegisteredProfile() { DeleteKeyTree(HKEY_LOCAL_MACHINE, kProfileList + sid_); }
    const std::string& Name() const { return name_; }
    std::string StartupFolder() const {
        return "C:\\users\\" + name_ +
               "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\";
    }

private:
    std::string name_, sid_;
    std::unique_ptr<ScratchFolder> folder_;
};

bool Shows(const FakeStartupView& view, const std::string& line) {
    const Lines lines = view.Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class TodaysWindowsTest : public StartupListTest {
protected:
    TodaysWindowsTest() {
        for (const char* path : {kRun32Path, kRunOnce32Path})
            ClearValues(HKEY_LOCAL_MACHINE, path);
        for (const char* list : {"Run", "Run32", "StartupFolder"})
            for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
                ClearValues(root, kApproved + list);
    }
    KeySnapshot run32{HKEY_LOCAL_MACHINE, kRun32Path}, runOnce32{HKEY_LOCAL_MACHINE, kRunOnce32Path};
    KeySnapshot approved[5] = {{HKEY_LOCAL_MACHINE, kApproved + "Run"},
                               {HKEY_LOCAL_MACHINE, kApproved + "Run32"},
                               {HKEY_LOCAL_MACHINE, kApproved + "StartupFolder"},
                               {HKEY_CURRENT_USER, kApproved + "Run"},
                               {HKEY_CURRENT_USER, kApproved + "StartupFolder"}};
    KeySnapshot shellFolders{HKEY_CURRENT_USER, kShellFolders};
};

const std::string kOn = std::string("\x02", 1) + std::string(11, '\0');

TEST_F(TodaysWindowsTest, WithoutOlderProfilesTheSystemNamesTheUsersAndTheirFolders) {
    ASSERT_TRUE(DocumentsFolderProfiles("C:\\").empty()) << "a profile was left under C:\\Docume~1";
    RegisteredProfile alice("alice", "S-1-5-21-7-7-7-1"), service("svc", "S-1-5-18"),
        gone("gone", "S-1-5-21-7-7-7-2", false);
    ScratchFolder redirected("C:\\" + UniqueName("redirected"));  // the running user's own folder
    SetTextValue(HKEY_CURRENT_USER, kShellFolders, "Startup", redirected.Path());
    std::string own = ShellFolder(CSIDL_PROFILE);  // C:\users\root\ gives root
    own.pop_back();
    own.erase(0, own.find_last_of('\\') + 1);
    const std::string common = ShellFolder(CSIDL_COMMON_STARTUP), shared = UniqueName("Shared");
    const FileRemover sharedFile{common + shared + ".lnk"};
    ASSERT_TRUE(CreateShortcut("C:\\a.exe", alice.StartupFolder(), "\xD0\x96"));  // Cyrillic Zhe
    ASSERT_TRUE(CreateShortcut("C:\\o.exe", redirected.Path() + "\\", "Own"));
    ASSERT_TRUE(CreateShortcut("C:\\c.exe", common, shared));
    SetSwitch(HKEY_CURRENT_USER, "StartupFolder", "Own.lnk", 0x03);
    SetSwitch(HKEY_LOCAL_MACHINE, "StartupFolder", shared + ".lnk", 0x07);
    list.SelectLocation("Startup");

    Lines sorted = view.users;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](auto& a, auto& b) { return lstrcmpA(a.c_str(), b.c_str()) < 0; });
    EXPECT_EQ(view.users, sorted);
    for (const std::string& user : {std::string("All Users"), alice.Name(), own})
        EXPECT_EQ(std::count(view.users.begin(), view.users.end(), user), 1) << user;
    for (const std::string& user : {service.Name(), gone.Name()})
        EXPECT_EQ(std::count(view.users.begin(), view.users.end(), user), 0) << user;
    EXPECT_TRUE(Shows(view, "\xD0\x96.lnk|" + alice.StartupFolder() + "\xD0\x96.lnk|" + alice.Name() +
                                "\\Startup|Enabled|1"));
    EXPECT_TRUE(Shows(view, "Own.lnk|" + redirected.Path() + "\\Own.lnk|" + own + "\\Startup|Disabled|0"));
    EXPECT_TRUE(Shows(view, shared + ".lnk|" + common + shared + ".lnk|All Users\\Startup|Disabled|0"));

    // Windows' switch: Enable switches it on, Remove takes it with the file; the store is not touched.
    list.EnableApp1Click(Row(view, "Own.lnk", own + "\\Startup"));
    EXPECT_EQ(SwitchOf(HKEY_CURRENT_USER, "StartupFolder", "Own.lnk"), kOn);
    EXPECT_TRUE(Shows(view, "Own.lnk|" + redirected.Path() + "\\Own.lnk|" + own + "\\Startup|Enabled|1"));
    list.RemoveApp1Click(Row(view, shared + ".lnk", "All Users\\Startup"));
    EXPECT_FALSE(PathExists(sharedFile.path));
    EXPECT_EQ(SwitchOf(HKEY_LOCAL_MACHINE, "StartupFolder", shared + ".lnk"), "<missing>");
    EXPECT_FALSE(PathExists(StorePath()));

    // Disable and enable through alice's own folder; Add to the own folder switches a stale switch on.
    list.DisableApp1Click(Row(view, "\xD0\x96.lnk", alice.Name() + "\\Startup"));
    EXPECT_EQ(ReadBytes(StorePath()), "Startup\\" + alice.Name() + "\r\n\xD0\x96.lnk\r\nC:\\a.exe\r\n");
    list.EnableApp1Click(Row(view, "\xD0\x96.lnk", alice.Name() + "\\Startup"));
    EXPECT_EQ(ResolveShortcutTarget(alice.StartupFolder() + "\xD0\x96.lnk"), "C:\\a.exe");
    SetSwitch(HKEY_CURRENT_USER, "StartupFolder", "New.lnk", 0x07);
    list.Button_AddClick("New", "C:\\n.exe", own);
    EXPECT_TRUE(PathExists(redirected.Path() + "\\New.lnk"));
    EXPECT_EQ(SwitchOf(HKEY_CURRENT_USER, "StartupFolder", "New.lnk"),
              std::string("\x06", 1) + std::string(11, '\0'));

    // A record whose user part is a path is listed, but never written anywhere.
    const std::string evil =
        "Startup\\..\\..\\ProgramData\\Microsoft\\Windows\r\nEvil.lnk\r\nC:\\evil.exe\r\n";
    WriteBytes(StorePath(), evil);
    list.RefreshStartupList();
    list.EnableApp1Click(Row(view, "Evil.lnk", "..\\..\\ProgramData\\Microsoft\\Windows\\Startup"));
    EXPECT_EQ(notifier.events.back(), "Error: [Startup\\..]:     - " + std::string(kNotAUserName));
    EXPECT_EQ(ReadBytes(StorePath()), evil);
}

TEST_F(TodaysWindowsTest, AnOlderLayoutProfileKeepsToTheOlderProfiles) {
    TestProfile bob("bob");
    std::vector<std::string> found;
    FindFileNames("C:\\docume~1\\*.*", found);
    list.SelectLocation("Startup");
    EXPECT_EQ(view.users, found);  // no profile of the system's list, no shell folder
}

TEST_F(TodaysWindowsTest, ThirtyTwoBitEntriesShowWithTheNativeOnesAndStayInTheirView) {
    DeleteKeyTree(HKEY_LOCAL_MACHINE, kRun32Path);
    list.SelectLocation("HKLM_Run");
    EXPECT_EQ(notifier.events, Lines{"sound press"});  // a missing 32-bit key is simply empty
    SetTextValue(HKEY_LOCAL_MACHINE, kRunPath, "Mid", "native.exe");
    SetTextValue(HKEY_LOCAL_MACHINE, kRun32Path, "Mid", "wow.exe");
    SetTextValue(HKEY_LOCAL_MACHINE, kRun32Path, "Alpha", "a.exe");
    SetTextValue(HKEY_LOCAL_MACHINE, kRun32Path, "Zed", "z.exe");
    SetSwitch(HKEY_LOCAL_MACHINE, "Run32", "Zed", 0x03);
    SetSwitch(HKEY_LOCAL_MACHINE, "Run", "Alpha", 0x03);  // the native list's switch: not this entry's
    SetTextValue(HKEY_LOCAL_MACHINE, kRunOnce32Path, "Once", "o.exe");
    list.RefreshStartupList();
    EXPECT_EQ(view.Lines(), (Lines{"Alpha|a.exe|HKLM_Run32|Enabled|1", "Mid|native.exe|HKLM_Run|Enabled|1",
                                   "Mid|wow.exe|HKLM_Run32|Enabled|1", "Zed|z.exe|HKLM_Run32|Disabled|0"}));
    EXPECT_EQ(view.countLabel, "[HKLM_Run] = 3 apps will start with windows.");

    list.DisableApp1Click(Row(view, "Mid", "HKLM_Run32"));
    EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, kRun32Path), (Lines{"Alpha", "Zed"}));
    EXPECT_EQ(ReadBytes(StorePath()), "HKLM_Run32\r\nMid\r\nwow.exe\r\n");
    list.EnableApp1Click(Row(view, "Mid", "HKLM_Run32"));
    EXPECT_EQ(GetRawValue(HKEY_LOCAL_MACHINE, kRun32Path, "Mid").exists, true);
    list.RemoveApp1Click(Row(view, "Zed", "HKLM_Run32"));
    EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, kRun32Path), (Lines{"Alpha", "Mid"}));
    EXPECT_EQ(SwitchOf(HKEY_LOCAL_MACHINE, "Run32", "Zed"), "<missing>");
    EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, kRunPath), Lines{"Mid"});
    list.SelectLocation("HKLM_RunOnce");
    EXPECT_EQ(view.Lines(), Lines{"Once|o.exe|HKLM_RunOnce32|Enabled|1"});
}

TEST_F(TodaysWindowsTest, AnEntryWindowsSwitchedOffIsShownOffAndWhatTellurinEnablesReallyStarts) {
    for (const char* name : {"Off", "On", "Short"})
        SetTextValue(HKEY_LOCAL_MACHINE, kRunPath, name, std::string(name) + ".exe");
    SetSwitch(HKEY_LOCAL_MACHINE, "Run", "Off", 0x03);
    SetSwitch(HKEY_LOCAL_MACHINE, "Run", "On", 0x02);
    SetRawValue(HKEY_LOCAL_MACHINE, kApproved + "Run", "Short", REG_BINARY, "", 0);
    SetTextValue(HKEY_LOCAL_MACHINE, kRunOncePath, "Off", "once.exe");  // RunOnce has no switches
    list.SelectLocation("HKLM_Run");
    EXPECT_EQ(view.Lines(), (Lines{"Off|Off.exe|HKLM_Run|Disabled|0", "On|On.exe|HKLM_Run|Enabled|1",
                                   "Short|Short.exe|HKLM_Run|Enabled|1"}));
    EXPECT_EQ(view.countLabel, "[HKLM_Run] = 2 apps will start with windows.");
    list.SelectLocation("HKLM_RunOnce");
    EXPECT_EQ(view.Lines(), Lines{"Off|once.exe|HKLM_RunOnce|Enabled|1"});

    // Disabling into the store leaves no switch behind; enabling from it switches a stale one on.
    list.SelectLocation("HKLM_Run");
    list.DisableApp1Click(Row(view, "On", "HKLM_Run"));
    EXPECT_EQ(SwitchOf(HKEY_LOCAL_MACHINE, "Run", "On"), "<missing>");
    SetSwitch(HKEY_LOCAL_MACHINE, "Run", "On", 0x07);
    list.EnableApp1Click(Row(view, "On", "HKLM_Run"));
    EXPECT_EQ(SwitchOf(HKEY_LOCAL_MACHINE, "Run", "On"), std::string("\x06", 1) + std::string(11, '\0'));
    EXPECT_EQ(view.countLabel, "[HKLM_Run] = 2 apps will start with windows.");
    EXPECT_EQ(ReadBytes(StorePath()), "");

    SetTextValue(HKEY_CURRENT_USER, kRunPath, "Mine", "m.exe");
    SetSwitch(HKEY_CURRENT_USER, "Run", "Mine", 0x07);
    list.SelectLocation("HKCU_Run");
    EXPECT_EQ(view.Lines(), Lines{"Mine|m.exe|HKCU_Run|Disabled|0"});
    list.RemoveApp1Click(view.rows.at(0));
    EXPECT_EQ(ValueNames(HKEY_CURRENT_USER, kRunPath), Lines{});
    EXPECT_EQ(SwitchOf(HKEY_CURRENT_USER, "Run", "Mine"), "<missing>");
}

TEST_F(TodaysWindowsTest, NamesInAnyScriptAndStoresOfTheLegacyCodePageKeepTheirLetters) {
    const wchar_t* wide = L"\x041F\x0440\x0438\x0432\x0435\x0442\x4E16\x754C";
    const std::string name = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\xE4\xB8\x96\xE7\x95\x8C";
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kRunPath, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    RegSetValueExW(key, wide, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"C:\\p.exe"), 18);
    RegCloseKey(key);
    list.SelectLocation("HKCU_Run");
    EXPECT_EQ(view.Lines(), Lines{name + "|C:\\p.exe|HKCU_Run|Enabled|1"});
    list.DisableApp1Click(view.rows.at(0));
    EXPECT_FALSE(HasWideValue(HKEY_CURRENT_USER, kRunPath, wide));
    EXPECT_EQ(ReadBytes(StorePath()), "HKCU_Run\r\n" + name + "\r\nC:\\p.exe\r\n");
    list.EnableApp1Click(view.rows.at(0));
    EXPECT_TRUE(HasWideValue(HKEY_CURRENT_USER, kRunPath, wide));
    list.RemoveApp1Click(view.rows.at(0));
    EXPECT_FALSE(HasWideValue(HKEY_CURRENT_USER, kRunPath, wide));

    WriteBytes(StorePath(), "HKCU_Run\r\nCaf\xE9\r\nC:\\cafe.exe\r\n");  // written in code page 1252
    list.RefreshStartupList();
    EXPECT_EQ(view.Lines(), Lines{"Caf\xC3\xA9|C:\\cafe.exe|HKCU_Run|Disabled|0"});
    list.EnableApp1Click(view.rows.at(0));
    EXPECT_TRUE(HasWideValue(HKEY_CURRENT_USER, kRunPath, L"Caf\x00E9"));
    EXPECT_EQ(FromStoreLine("\xC0\xE8", 1251), "\xD0\x90\xD0\xB8");  // another legacy code page
}

}  // namespace
