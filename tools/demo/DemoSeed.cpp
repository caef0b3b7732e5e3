// Fills a Wine prefix with a demo machine for Tellurin, and presses buttons of its windows.
//   demo_seed seed <program folder>      sample Run entries, profiles with Startup shortcuts, a store
//   demo_seed press <window class> <caption>  clicks the button of that caption in a shown window
#include <windows.h>
#include <objbase.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "startup/ShellLink.h"

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

void SeedProfiles() {
    struct Profile {
        const char* user;
        const char* shortcut;
        const char* target;
    };
    const Profile profiles[] = {
        {"Administrator", "Admin Tools", "C:\\Tools\\admintools.exe"},
        {"All Users", "Backup Agent", "C:\\Program Files\\Backup\\agent.exe"},
        {"Default User", "Welcome", "C:\\Setup\\welcome.exe"},
        {"LocalService", nullptr, nullptr},
        {"NetworkService", nullptr, nullptr},
        {"alice", "Notes", "C:\\Programs\\Notes\\notes.exe"},
        {"bob", "Chat", "C:\\Programs\\Chat\\chat.exe"},
    };
    for (const Profile& profile : profiles) {
        std::string folder = std::string("C:\\Docume~1\\") + profile.user + "\\Start Menu\\Programs\\Startup";
        MakeFolders(folder);
        if (profile.shortcut)
            CreateShortcut(profile.target, folder + "\\", profile.shortcut);
    }
    CreateShortcut("C:\\Programs\\Weather\\wx.exe", "C:\\Docume~1\\bob\\Start Menu\\Programs\\Startup\\",
                   "Weather");
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

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "press" && argc == 4)
        return Press(argv[2], argv[3]);
    if (mode != "seed" || argc != 3) {
        std::fprintf(stderr, "usage: demo_seed seed <program folder> | press <window class> <caption>\n");
        return 2;
    }
    if (FAILED(CoInitialize(nullptr)))
        return 1;
    SeedRegistry();
    SeedStation();
    SeedProfiles();
    SeedStore(argv[2]);
    CoUninitialize();
    return 0;
}
