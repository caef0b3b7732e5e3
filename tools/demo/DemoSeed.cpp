// Fills a Wine prefix with a demo machine for Tellurin, and presses buttons of its windows.
//   demo_seed seed <program folder>      sample Run entries of today's Windows, profiles with Startup
//                                        shortcuts, a second logged-on user, a policy entry, a store
//   demo_seed press <window class> <caption>  clicks the button of that caption in a shown window
//   demo_seed trust <root.cer>           adds a demo root to the local machine's trusted roots
#include <windows.h>
#include <wincrypt.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <fstream>
#include <string>

#include "ShellLink.h"
#include "SideBar.h"
#include "WidgetClasses.h"

namespace {

void SetText(HKEY root, const char* path, const char* name, const std::string& text, DWORD type = REG_SZ) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

void MakeFolders(const std::string& path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}

void SeedRegistry() {
    const char* run = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    const char* runOnce = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
    SetText(HKEY_LOCAL_MACHINE, run, "Antivirus", "\"C:\\Program Files\\Guard\\guard.exe\" /background");
    SetText(HKEY_LOCAL_MACHINE, run, "Pager", "C:\\Tools\\pager.exe -tray");
    SetText(HKEY_LOCAL_MACHINE, run, "Updater", "%ProgramFiles%\\Updater\\update.exe /quiet", REG_EXPAND_SZ);
    SetText(HKEY_LOCAL_MACHINE, run, "SoundMixer", "C:\\Windows\\mixer.exe");
    SetText(HKEY_LOCAL_MACHINE, runOnce, "FinishSetup", "C:\\Setup\\finish.exe /silent");
    SetText(HKEY_CURRENT_USER, run, "Notes", "C:\\Programs\\Notes\\notes.exe");
    SetText(HKEY_CURRENT_USER, run, "ClipboardHelper", "\"C:\\Program Files\\Clip\\clip.exe\" -hidden");
    SetText(HKEY_USERS, ".DEFAULT\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "FirstLogon",
            "C:\\Setup\\firstlogon.cmd");
}

void SetNumber(HKEY root, const char* path, const char* name, DWORD number) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(key);
}

// What the Computer Information window reads from the local computer.
void SeedStation() {
    const char* identity = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    SetText(HKEY_LOCAL_MACHINE, identity, "RegisteredOwner", "Workstation Admin");
    SetText(HKEY_LOCAL_MACHINE, identity, "RegisteredOrganization", "Example Labs");
    SetText(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Main", "Start Page",
            "http://intranet.example.org/");
    const char* internet = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
    SetText(HKEY_CURRENT_USER, internet, "ProxyServer", "10.0.0.8:3128");
    SetNumber(HKEY_CURRENT_USER, internet, "ProxyEnable", 1);
    SetNumber(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", "NoRun",
              1);
    SetNumber(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
              "HideFileExt", 0);
}

// Entries as Windows 7 and later hold them: a 32-bit installer's Run value, one that Task Manager
// switched off, and names in Cyrillic and Chinese script.
void SeedTodaysEntries() {
    const char* run = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, run, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr,
                        &key, nullptr) == ERROR_SUCCESS) {
        const std::string text = "\"C:\\Program Files (x86)\\Scheduler\\sched.exe\" -tray";
        RegSetValueExA(key, "UpdateScheduler", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
        RegCloseKey(key);
    }
    const BYTE switchedOff[12] = {0x03, 0x00, 0x00, 0x00, 0x8C, 0x21, 0x4B, 0x55, 0xA7, 0x3E, 0xDA, 0x01};
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE,
                        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run", 0,
                        nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExA(key, "SoundMixer", 0, REG_BINARY, switchedOff, sizeof switchedOff);
        RegCloseKey(key);
    }
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, run, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        // Written through the wide functions, whatever code page this helper runs in.
        const wchar_t* mail = L"C:\\Programs\\Mail\\mail.exe";
        const wchar_t* sync = L"C:\\Programs\\Sync\\sync.exe /quiet";
        RegSetValueExW(key, L"\x041F\x043E\x0447\x0442\x0430", 0, REG_SZ, reinterpret_cast<const BYTE*>(mail),
                       static_cast<DWORD>((wcslen(mail) + 1) * sizeof(wchar_t)));
        RegSetValueExW(key, L"\x540C\x6B65", 0, REG_SZ, reinterpret_cast<const BYTE*>(sync),
                       static_cast<DWORD>((wcslen(sync) + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
}

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : "";
}

// Profiles as Windows Vista and later list them, with shortcuts in their Startup folders, the running
// user's and the common (All Users) one.
void SeedProfiles() {
    struct Profile {
        const char* sid;
        const char* user;
        const char* shortcut;
        const char* target;
    };
    const Profile profiles[] = {
        {"S-1-5-21-1004336348-1177238915-682003330-1001", "alice", "Notes", "C:\\Programs\\Notes\\notes.exe"},
        {"S-1-5-21-1004336348-1177238915-682003330-1002", "bob", "Chat", "C:\\Programs\\Chat\\chat.exe"},
    };
    for (const Profile& profile : profiles) {
        const std::string home = std::string("C:\\users\\") + profile.user;
        SetText(HKEY_LOCAL_MACHINE,
                (std::string("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\") + profile.sid)
                    .c_str(),
                "ProfileImagePath", home);
        const std::string folder =
            home + "\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
        MakeFolders(folder);
        CreateShortcut(profile.target, folder + "\\", profile.shortcut);
    }
    CreateShortcut("C:\\Programs\\Weather\\wx.exe",
                   "C:\\users\\bob\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\",
                   "Weather");
    CreateShortcut("C:\\Tools\\admintools.exe", ShellFolder(CSIDL_STARTUP) + "\\", "Admin Tools");
    CreateShortcut("C:\\Program Files\\Backup\\agent.exe", ShellFolder(CSIDL_COMMON_STARTUP) + "\\",
                   "Backup Agent");
}

// bob is logged on too (fast user switching): his hive is loaded under HKEY_USERS with his own Run
// entries; and Group Policy runs one program at every log-on.
void SeedLoggedOnUser() {
    const std::string bobRun =
        "S-1-5-21-1004336348-1177238915-682003330-1002\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    SetText(HKEY_USERS, bobRun.c_str(), "MeetingClient", "\"C:\\Program Files\\Meet\\meet.exe\" --autostart");
    SetText(HKEY_USERS, bobRun.c_str(), "MusicSync", "C:\\Programs\\Music\\sync.exe /tray");
    SetText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run",
            "ComplianceAgent", "C:\\Program Files\\Compliance\\agent.exe");
}

// What else starts at log-on: a vendor's updater as a log-on task, a packaged app's startup task, and
// a Userinit that starts one more program than Windows' own.
void SeedLogonSources() {
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string folder = std::string(windows) + "\\System32\\Tasks\\Contoso";
    MakeFolders(folder);
    const std::wstring task =
        L"\xFEFF<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
        L"<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\r\n"
        L"  <Triggers>\r\n    <LogonTrigger>\r\n      <Enabled>true</Enabled>\r\n    </LogonTrigger>\r\n"
        L"  </Triggers>\r\n  <Settings>\r\n    <Enabled>true</Enabled>\r\n  </Settings>\r\n"
        L"  <Actions Context=\"Author\">\r\n    <Exec>\r\n"
        L"      <Command>%ProgramFiles%\\Contoso\\update.exe</Command>\r\n"
        L"      <Arguments>/logon</Arguments>\r\n    </Exec>\r\n  </Actions>\r\n</Task>\r\n";
    std::ofstream file(folder + "\\Updater", std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(task.data()), static_cast<std::streamsize>(task.size() * 2));
    SetNumber(HKEY_CURRENT_USER,
              "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\"
              "SystemAppData\\MSTeams_8wekyb3d8bbwe\\TeamsTfwStartupTask",
              "State", 2);
    SetText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "Userinit",
            "C:\\Windows\\system32\\userinit.exe,C:\\ProgramData\\Helper\\helper.exe");
}

void SeedStore(const std::string& programFolder) {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    GetComputerNameA(name, &size);
    std::ofstream store(programFolder + "\\" + name + "_reg_disabled.ini",
                        std::ios::binary | std::ios::trunc);
    store << "HKLM_Run\r\nMediaIndexer\r\nC:\\Tools\\indexer.exe /idle\r\n"
          << "HKCU_Run\r\nUpdateChecker\r\n\"C:\\Program Files\\Update Checker\\check.exe\" -daily\r\n"
          << "Startup\\alice\r\nMusic Player.lnk\r\nC:\\Programs\\Music\\player.exe\r\n";
}

int Press(const char* windowClass, const char* caption) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        HWND window = FindWindowA(windowClass, nullptr);
        HWND button = window ? FindWindowExA(window, nullptr, nullptr, caption) : nullptr;
        if (button && IsWindowVisible(window)) {
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
            return 0;
        }
        Sleep(100);
    }
    std::fprintf(stderr, "no button \"%s\" in a visible window of class %s\n", caption, windowClass);
    return 1;
}

// Clicks an item of a side bar of the window as the mouse would, once the window shows.
int ClickBarItem(const char* windowClass, const char* bar, int item) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        HWND window = FindWindowA(windowClass, nullptr);
        HWND side = window ? FindWindowExA(window, nullptr, kSideBarClass, bar) : nullptr;
        if (side && IsWindowVisible(window)) {
            PostMessageA(side, SBM_CLICKITEM, static_cast<WPARAM>(item), 0);
            return 0;
        }
        Sleep(100);
    }
    std::fprintf(stderr, "no side bar \"%s\" in a visible window of class %s\n", bar, windowClass);
    return 1;
}

}  // namespace

// The demo's signed programs are signed under this root: trusted, their signatures read "valid".
int Trust(const char* path) {
    std::ifstream file(path, std::ios::binary);
    const std::string der((std::istreambuf_iterator<char>(file)), {});
    HCERTSTORE store = CertOpenStore(CERT_STORE_PROV_SYSTEM_A, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, "ROOT");
    const bool added = store && CertAddEncodedCertificateToStore(
                                    store, X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(der.data()),
                                    static_cast<DWORD>(der.size()), CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
    if (store)
        CertCloseStore(store, 0);  // the store keeps what was added once closed
    return added ? 0 : 1;
}

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "press" && argc == 4)
        return Press(argv[2], argv[3]);
    if (mode == "trust" && argc == 3)
        return Trust(argv[2]);
    if (mode == "logged-on" && argc == 2) {
        SeedLoggedOnUser();  // Wine keeps another user's loaded hive only while its server runs
        return 0;
    }
    if (mode == "click-bar" && argc == 5)
        return ClickBarItem(argv[2], argv[3], std::atoi(argv[4]));
    if (mode != "seed" || argc != 3) {
        std::fprintf(
            stderr,
            "usage: demo_seed seed <program folder> | press <window class> <caption> | trust <root.cer> |\n"
            "       logged-on | click-bar <window class> <bar caption> <item>\n");
        return 2;
    }
    if (FAILED(CoInitialize(nullptr)))
        return 1;
    SeedRegistry();
    SeedTodaysEntries();
    SeedStation();
    SeedProfiles();
    SeedLoggedOnUser();
    SeedLogonSources();
    SeedStore(argv[2]);
    CoUninitialize();
    return 0;
}
