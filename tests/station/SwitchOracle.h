// What the switch tests check against, independent of the switch table: each switch's key, values
// and numbers, a desktop that records what it is asked, and a fixture that clears the switch keys.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "DesktopApi.h"
#include "SwitchTable.h"
#include "support/FaultyRegistryApi.h"
#include "StationTestSupport.h"

inline const std::string kSystem = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
inline const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline const std::string kAdvanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
inline const std::string kCommand = "Software\\Policies\\Microsoft\\Windows\\System";
inline const std::string kCleanup =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\CleanupWiz";
inline const std::string kReporting = "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting";
inline const HKEY kUser = HKEY_CURRENT_USER;
inline const HKEY kMachine = HKEY_LOCAL_MACHINE;

// What ShowDesktopIcons asked user32 for.
struct DesktopCalls {
    std::string findClass;
    bool findTitleNull = false;
    HWND childOf = nullptr;
    UINT childCommand = 0;
    std::vector<int> shows;
};
inline DesktopCalls desktopCalls;
inline const HWND kProgman = reinterpret_cast<HWND>(0x1234);
inline const HWND kIcons = reinterpret_cast<HWND>(0x5678);

inline HWND WINAPI FindDesktop(LPCSTR className, LPCSTR title) {
    desktopCalls.findClass = className;
    desktopCalls.findTitleNull = title == nullptr;
    return kProgman;
}
inline HWND WINAPI FirstChild(HWND window, UINT command) {
    desktopCalls.childOf = window;
    desktopCalls.childCommand = command;
    return kIcons;
}
inline BOOL WINAPI ShowChild(HWND window, int command) {
    if (window == kIcons)
        desktopCalls.shows.push_back(command);
    return TRUE;
}
inline const DesktopApi kFakeDesktop{FindDesktop, FirstChild, ShowChild};

// Each registry switch: its key, values and numbers.
struct Binding {
    Switch id;
    HKEY root;
    std::string key;
    std::vector<std::string> values;
    DWORD checked;
    DWORD unchecked;
};
// clang-format off
inline const std::vector<Binding> kBindings = {
    {Switch::TaskManager, kUser, kSystem, {"DisableTaskMgr"}, 0, 1},
    {Switch::Regedit, kUser, kSystem, {"DisableRegistryTools"}, 0, 1},
    {Switch::FolderOptions, kUser, kExplorer, {"NoFolderOptions"}, 0, 1},
    {Switch::HiddenFilesAndFolders, kUser, kAdvanced, {"Hidden"}, 1, 2},
    {Switch::RunCommand, kUser, kExplorer, {"NoRun"}, 0, 1},
    {Switch::CmdPrompt, kUser, kCommand, {"DisableCMD"}, 0, 1},
    {Switch::LogoffCommand, kUser, kExplorer, {"NoChangeStartMenu", "NoLogOff"}, 0, 1},
    {Switch::ShutdownCommand, kUser, kExplorer, {"NoChangeStartMenu", "NoClose"}, 0, 1},
    {Switch::ControlPanel, kUser, kExplorer, {"NoControlPanel"}, 0, 1},
    {Switch::FileExtensions, kUser, kAdvanced, {"HideFileExt"}, 0, 1},
    {Switch::TaskbarContextMenu, kUser, kExplorer, {"NoTrayContextMenu"}, 0, 1},
    {Switch::DontSendMessages, kMachine, kReporting, {"DoReport"}, 0, 1},
    {Switch::LowDiskSpaceMessages, kUser, kExplorer, {"NoLowDiskSpaceChecks"}, 0, 1},
    {Switch::ToolTips, kUser, kAdvanced, {"ShowInfoTip"}, 0, 1},
    {Switch::BalloonTips, kUser, kAdvanced, {"EnableBalloonTips"}, 0, 1},
    {Switch::DesktopCleanupWizard, kUser, kCleanup, {"NoRun"}, 1, 0},
};
// clang-format on

// The stored numbers of a switch's values, "missing" for each one not stored.
inline std::vector<std::string> NumbersOf(const Binding& binding) {
    std::vector<std::string> numbers;
    for (const std::string& value : binding.values) {
        auto number = StoredNumber(binding.root, binding.key, value);
        numbers.push_back(number ? std::to_string(*number) : "missing");
    }
    return numbers;
}

// Every switch key absent at the start and as it was at the end; the desktop calls cleared.
class SwitchKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const std::string* key : {&kSystem, &kExplorer, &kAdvanced, &kCommand, &kCleanup})
            DeleteKeyTree(kUser, *key);
        DeleteKeyTree(kMachine, kReporting);
        desktopCalls = {};
    }

    PathSnapshot system_{kUser, kSystem}, explorer_{kUser, kExplorer}, advanced_{kUser, kAdvanced},
        command_{kUser, kCommand}, cleanup_{kUser, kCleanup}, reporting_{kMachine, kReporting};
    ScopedFaults faults_;
};
