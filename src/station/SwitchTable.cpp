// The one table that drives every switch box: reading at show, writing on a click, Check All.
#include "SwitchTable.h"

#include "RestrictionSwitches.h"

using namespace switch_keys;

namespace {

constexpr const char kRestartHint[] = "If DISABLED needs RESTART !";

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
    using S = RestrictionSwitches;
    // clang-format off: one row a block, as the table reads
    return {
        {.box = SwitchBox::CB_01_TaskManager,
         .caption = "Enable Task Manager",
         .root = user,
         .keyPath = kSystemPolicies,
         .values = {"DisableTaskMgr"},
         .readValue = "DisableTaskMgr",
         .effect = SwitchEffect::RegistryNumbers,
         .click = &S::CB_01_TaskManagerClick,
         .failureMessage = kTaskManagerFailure},
        {.box = SwitchBox::CB_02_Regedit,
         .caption = "Enable Regedit",
         .root = user,
         .keyPath = kSystemPolicies,
         .values = {"DisableRegistryTools"},
         .readValue = "DisableRegistryTools",
         .effect = SwitchEffect::RegistryNumbers,
         .click = &S::CB_02_RegeditClick},
        {.box = SwitchBox::CB_03_FolderOptions,
         .caption = "Enable Folder Options",
         .root = user,
         .keyPath = kExplorerPolicies,
         .values = {"NoFolderOptions"},
         .readValue = "NoFolderOptions",
         .effect = SwitchEffect::RegistryNumbers,
         .click = &S::CB_03_FolderOptionsClick},
        {.box = SwitchBox::CB_04_HiddenFilesAndFolders,
         .caption = "Show Hidden Files && Folders",
         .root = user,
         .keyPath = kExplorerAdvanced,
         .values = {"Hidden"},
         .readValue = "Hidden",
         .checkedNumber = 1,
         .uncheckedNumber = 2,
         .sense = SwitchSense::Negated,
         .effect = SwitchEffect::RegistryNumbers,
         .click = &S::CB_04_HiddenFilesAndFoldersClick},
        {.box = SwitchBox::CB_05_RunCommand,
         .caption = "Enable Run Command",
         .root = user,
         .keyPath = kExplorerPolicies,
         .values = {"NoRun"},
         .readValue = "NoRun",
         .effect = SwitchEffect::RegistryNumbers,
         .click = &S::CB_05_RunCommandClick,
         .hint = kRestartHint},
        {.box = SwitchBox::CB_06_CMDPrompt,
         .caption = "Enable CMD.exe",
         .root = user,
         .keyPath = kCommandPolicies,
         .values = {"DisableCMD"},
         .readValue = "DisableCMD",
         .effect = SwitchEffect::RegistryNumbers,
         .click = &S::CB_06_CMDPromptClick},
        {.box = SwitchBox::CB_07_LogoffCommand,
         .caption = "Enable Logoff command",
         .root = user,
         .keyPath = kExplorerPolicies,
         .values = {"NoChangeStartMenu", "NoLogOff"},
         .readValue = "NoLogOff",
         .effect = SwitchEffect::RegistryNumbers,
         .click = &S::CB_07_LogoffCommandClick,
         .failureMessage = kLogoffFailure},
        {.box = SwitchBox::CB_08_ShutdownCommand,
         .caption = "Enable Shutdown command",
         .root = user,
         .keyPath = kExplorerPolicies,
         .values = {"NoChangeStartMenu", "NoClose"},
         .readValue = "NoClose",
         .effect = SwitchEffect::RegistryNumbers,
         .click = &S::CB_08_ShutdownCommandClick,
         .failureMessage = kShutdownFailure},
        {.box = SwitchBox::CB_09_ControlPanel,
         .caption = "Enable Control Panel",
         .root = user,
         .keyPath = kExplorerPolicies,
         .values = {"NoControlPanel"},
         .readValue = "NoControlPanel",
         .effect = SwitchEffect::RegistryNumbers,
         .click = &S::CB_09_ControlPanelClick},
        // Touches no registry and is never read: it keeps the last mark given to it.
        {.box = SwitchBox::CB_10_DesktopIcons,
         .caption = "Show Desktop Icons",
         .effect = SwitchEffect::DesktopIcons,
         .click = &S::CB_10_DesktopIconsClick},
        {.box = SwitchBox::CB_11_FileExtensions,
         .caption = "Show File Extensions",
         .root = user,
         .keyPath = kExplorerAdvanced,
         .values = {"HideFileExt"},
         .readValue = "HideFileExt",
         .effect = SwitchEffect::RegistryNumbers,
         .click = &S::CB_11_FileExtensionsClick},
        {.box = SwitchBox::CB_12_TaskbarContextMenu,
         .caption = "Enable Taskbar context menu",
         .root = user,
         .keyPath = kExplorerPolicies,
         .values = {"NoTrayContextMenu"},
         .readValue = "NoTrayContextMenu",
         .effect = SwitchEffect::RegistryNumbers,
         .click = &S::CB_12_TaskbarContextMenuClick,
         .hint = kRestartHint},
        // Invisible, unbound: only Check All changes their marks.
        {.box = SwitchBox::CB_13_IE_HomePageChange, .caption = "Enable IE Home Page Change"},
        {.box = SwitchBox::CB_14_IE_Closing, .caption = "Enable IE Closing"},
        {.box = SwitchBox::CB_15_IE_Options, .caption = "Show Internet Options"},
        {.box = SwitchBox::CB_16_IE_AddressBar, .caption = "Show IE Address Bar"},
        {.box = SwitchBox::CB_17_IE_Toolbar, .caption = "Show IE Toolbar"},
        // The only switch on the local machine-wide registry.
        {.box = SwitchBox::CB_E_01_DisableDontSendMessages,
         .caption = "Disable Don't Send messages.",
         .root = HKEY_LOCAL_MACHINE,
         .keyPath = kErrorReporting,
         .values = {"DoReport"},
         .readValue = "DoReport",
         .effect = SwitchEffect::RegistryNumbers,
         .click = &S::CB_E_01_DisableDontSendMessagesClick},
        {.box = SwitchBox::CB_E_02_DisableLowDiskSpaceMessages,
         .caption = "Disable Low Disk Space MSGs",
         .root = user,
         .keyPath = kExplorerPolicies,
         .values = {"NoLowDiskSpaceChecks"},
         .readValue = "NoLowDiskSpaceChecks",
         .effect = SwitchEffect::RegistryNumbers,
         .click = &S::CB_E_02_DisableLowDiskSpaceMessagesClick},
        {.box = SwitchBox::CB_E_03_DisableToolTips,
         .caption = "Disable Tool Tips",
         .root = user,
         .keyPath = kExplorerAdvanced,
         .values = {"ShowInfoTip"},
         .readValue = "ShowInfoTip",
         .effect = SwitchEffect::RegistryNumbers,
         .click = &S::CB_E_03_DisableToolTipsClick},
        {.box = SwitchBox::CB_E_04_DisableBalloonTips,
         .caption = "Disable Balloon Tips",
         .root = user,
         .keyPath = kExplorerAdvanced,
         .values = {"EnableBalloonTips"},
         .readValue = "EnableBalloonTips",
         .effect = SwitchEffect::RegistryNumbers,
         .click = &S::CB_E_04_DisableBalloonTipsClick},
        // Its own "NoRun", not the Run command's; checked stores 1.
        {.box = SwitchBox::CB_E_05_DisableDesktopCleanupWizard,
         .caption = "Disable Desktop Cleanup Wizard",
         .root = user,
         .keyPath = kCleanupWizard,
         .values = {"NoRun"},
         .readValue = "NoRun",
         .checkedNumber = 1,
         .uncheckedNumber = 0,
         .sense = SwitchSense::Negated,
         .effect = SwitchEffect::RegistryNumbers,
         .click = &S::CB_E_05_DisableDesktopCleanupWizardClick},
    };
    // clang-format on
}

}  // namespace

const std::vector<SwitchSpec>& SwitchTable() {
    static const std::vector<SwitchSpec> table = MakeTable();
    return table;
}

const SwitchSpec& SwitchSpecOf(SwitchBox box) {
    return SwitchTable().at(static_cast<size_t>(box));
}

SwitchClickHandler ClickHandlerOf(SwitchBox box) {
    return box == SwitchBox::CB_CheckAll ? &RestrictionSwitches::CB_CheckAllClick : SwitchSpecOf(box).click;
}

std::string SwitchFailureMessage(const SwitchSpec& spec) {
    if (spec.failureMessage)
        return spec.failureMessage;
    // The switches without a text of their own word it like the Task Manager's.
    const std::string root = spec.root == HKEY_LOCAL_MACHINE ? "HKLM" : "HKCU";
    return "Could NOT write to registry on local computer.\r" + root + spec.keyPath + spec.readValue +
           " NOT found.";
}
