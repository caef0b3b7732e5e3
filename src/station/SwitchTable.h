// The local switches: registry binding, numbers, reading sense and failure text of each.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Every switch, in the order Check All applies them and the window shows them read.
enum class Switch {
    TaskManager,
    Regedit,
    FolderOptions,
    HiddenFilesAndFolders,
    RunCommand,
    CmdPrompt,
    LogoffCommand,
    ShutdownCommand,
    ControlPanel,
    DesktopIcons,
    FileExtensions,
    TaskbarContextMenu,
    DontSendMessages,
    LowDiskSpaceMessages,
    ToolTips,
    BalloonTips,
    DesktopCleanupWizard,
};

// Whether a switch is on when the reading rule gives true (Direct) or false (Negated).
enum class SwitchSense { Direct, Negated };

// What changing a switch changes.
enum class SwitchEffect { RegistryNumbers, DesktopIcons };

struct SwitchSpec {
    Switch id;
    HKEY root = nullptr;                   // nullptr: no registry binding
    const char* keyPath = "";              // as passed to OpenPath
    std::vector<std::string> values = {};  // written in this order
    std::string readValue = {};            // read when the window is shown; empty: not read
    int32_t checkedNumber = 0;
    int32_t uncheckedNumber = 1;
    SwitchSense sense = SwitchSense::Direct;
    SwitchEffect effect = SwitchEffect::RegistryNumbers;
    const char* failureMessage = nullptr;  // nullptr: worded from the key and value
};

// Every switch in the order of Switch.
const std::vector<SwitchSpec>& SwitchTable();
const SwitchSpec& SwitchSpecOf(Switch id);

// Tells the user that a switch's key could not be opened or created, so nothing was stored.
std::string SwitchFailureMessage(const SwitchSpec& spec);

// Key paths of the switches, as the program spells them.
namespace switch_keys {
inline constexpr const char kSystemPolicies[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\";
inline constexpr const char kExplorerPolicies[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\";
inline constexpr const char kExplorerAdvanced[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\\";
inline constexpr const char kCommandPolicies[] = "\\Software\\Policies\\Microsoft\\Windows\\System\\";
inline constexpr const char kErrorReporting[] = "\\SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting\\";
inline constexpr const char kCleanupWizard[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\CleanupWiz\\";
}  // namespace switch_keys
