// The one table of the local switches: where each lives, what it reads at show and writes on a change.
#include "SwitchTable.h"

using namespace switch_keys;

namespace {

// The three failure texts the program has always shown, carriage returns between their lines.
constexpr const char kTaskManagerFailure[] =
    "Could NOT write to registry on local computer.\r"
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\DisableTaskMgr NOT found.]";
constexpr const char kLogoffFailure[] =
    "Could NOT connect to registry on local computer.\r"
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\]\r"
    "NoChangeStartMenu NOT found\r"
    "NoLogOff NOT found";
constexpr const char kShutdownFailure[] =
    "Could NOT connect to registry on local computer.\r"
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\]\r"
    "NoChangeStartMenu NOT found\r"
    "NoClose NOT found";

std::vector<SwitchSpec> MakeTable() {
    const HKEY user = HKEY_CURRENT_USER;
    // clang-format off: one row a block, as the table reads
    return {
        {.id = Switch::TaskManager,
         .root = user,
         .keyPath = kSystemPolicies,
         .values = {"DisableTaskMgr"},
         .readValue = "DisableTaskMgr",
         .failureMessage = kTaskManagerFailure},
        {.id = Switch::Regedit,
         .root = user,
         .keyPath = kSystemPolicies,
         .values = {"DisableRegistryTools"},
         .readValue = "DisableRegistryTools"},
        {.id = Switch::FolderOptions,
         .root = user,
         .keyPath = kExplorerPolicies,
         .values = {"NoFolderOptions"},
         .readValue = "NoFolderOptions"},
        {.id = Switch::HiddenFilesAndFolders,
         .root = user,
         .keyPath = kExplorerAdvanced,
         .values = {"Hidden"},
         .readValue = "Hidden",
         .checkedNumber = 1,
         .uncheckedNumber = 2,
         .sense = SwitchSense::Negated},
        {.id = Switch::RunCommand,
         .root = user,
         .keyPath = kExplorerPolicies,
         .values = {"NoRun"},
         .readValue = "NoRun"},
        {.id = Switch::CmdPrompt,
         .root = user,
         .keyPath = kCommandPolicies,
         .values = {"DisableCMD"},
         .readValue = "DisableCMD"},
        {.id = Switch::LogoffCommand,
         .root = user,
         .keyPath = kExplorerPolicies,
         .values = {"NoChangeStartMenu", "NoLogOff"},
         .readValue = "NoLogOff",
         .failureMessage = kLogoffFailure},
        {.id = Switch::ShutdownCommand,
         .root = user,
         .keyPath = kExplorerPolicies,
         .values = {"NoChangeStartMenu", "NoClose"},
         .readValue = "NoClose",
         .failureMessage = kShutdownFailure},
        {.id = Switch::ControlPanel,
         .root = user,
         .keyPath = kExplorerPolicies,
         .values = {"NoControlPanel"},
         .readValue = "NoControlPanel"},
        // Touches no registry and is never read: it keeps the last mark given to it.
        {.id = Switch::DesktopIcons, .effect = SwitchEffect::DesktopIcons},
        {.id = Switch::FileExtensions,
         .root = user,
         .keyPath = kExplorerAdvanced,
         .values = {"HideFileExt"},
         .readValue = "HideFileExt"},
        {.id = Switch::TaskbarContextMenu,
         .root = user,
         .keyPath = kExplorerPolicies,
         .values = {"NoTrayContextMenu"},
         .readValue = "NoTrayContextMenu"},
        // The only switch on the local machine-wide registry.
        {.id = Switch::DontSendMessages,
         .root = HKEY_LOCAL_MACHINE,
         .keyPath = kErrorReporting,
         .values = {"DoReport"},
         .readValue = "DoReport"},
        {.id = Switch::LowDiskSpaceMessages,
         .root = user,
         .keyPath = kExplorerPolicies,
         .values = {"NoLowDiskSpaceChecks"},
         .readValue = "NoLowDiskSpaceChecks"},
        {.id = Switch::ToolTips,
         .root = user,
         .keyPath = kExplorerAdvanced,
         .values = {"ShowInfoTip"},
         .readValue = "ShowInfoTip"},
        {.id = Switch::BalloonTips,
         .root = user,
         .keyPath = kExplorerAdvanced,
         .values = {"EnableBalloonTips"},
         .readValue = "EnableBalloonTips"},
        // Its own "NoRun", not the Run command's; checked stores 1.
        {.id = Switch::DesktopCleanupWizard,
         .root = user,
         .keyPath = kCleanupWizard,
         .values = {"NoRun"},
         .readValue = "NoRun",
         .checkedNumber = 1,
         .uncheckedNumber = 0,
         .sense = SwitchSense::Negated},
    };
    // clang-format on
}

}  // namespace

const std::vector<SwitchSpec>& SwitchTable() {
    static const std::vector<SwitchSpec> table = MakeTable();
    return table;
}

const SwitchSpec& SwitchSpecOf(Switch id) {
    return SwitchTable().at(static_cast<size_t>(id));
}

std::string SwitchFailureMessage(const SwitchSpec& spec) {
    if (spec.failureMessage)
        return spec.failureMessage;
    // The switches without a text of their own word it like the Task Manager's.
    const std::string root = spec.root == HKEY_LOCAL_MACHINE ? "HKLM" : "HKCU";
    return "Could NOT write to registry on local computer.\r" + root + spec.keyPath + spec.readValue +
           " NOT found.";
}
