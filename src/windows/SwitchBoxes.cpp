// The window's table of switch boxes, in the order of their numbers.
#include "SwitchBoxes.h"

#include <algorithm>

namespace {

constexpr const char kRestartHint[] = "If DISABLED needs RESTART !";

}  // namespace

const std::vector<SwitchBoxSpec>& SwitchBoxTable() {
    using B = SwitchBox;
    using S = Switch;
    static const std::vector<SwitchBoxSpec> table = {
        {B::CB_01_TaskManager, "Enable Task Manager", S::TaskManager},
        {B::CB_02_Regedit, "Enable Regedit", S::Regedit},
        {B::CB_03_FolderOptions, "Enable Folder Options", S::FolderOptions},
        {B::CB_04_HiddenFilesAndFolders, "Show Hidden Files && Folders", S::HiddenFilesAndFolders},
        {B::CB_05_RunCommand, "Enable Run Command", S::RunCommand, kRestartHint},
        {B::CB_06_CMDPrompt, "Enable CMD.exe", S::CmdPrompt},
        {B::CB_07_LogoffCommand, "Enable Logoff command", S::LogoffCommand},
        {B::CB_08_ShutdownCommand, "Enable Shutdown command", S::ShutdownCommand},
        {B::CB_09_ControlPanel, "Enable Control Panel", S::ControlPanel},
        {B::CB_10_DesktopIcons, "Show Desktop Icons", S::DesktopIcons},
        {B::CB_11_FileExtensions, "Show File Extensions", S::FileExtensions},
        {B::CB_12_TaskbarContextMenu, "Enable Taskbar context menu", S::TaskbarContextMenu, kRestartHint},
        // Invisible, bound to nothing: only Check All changes their marks.
        {B::CB_13_IE_HomePageChange, "Enable IE Home Page Change", std::nullopt},
        {B::CB_14_IE_Closing, "Enable IE Closing", std::nullopt},
        {B::CB_15_IE_Options, "Show Internet Options", std::nullopt},
        {B::CB_16_IE_AddressBar, "Show IE Address Bar", std::nullopt},
        {B::CB_17_IE_Toolbar, "Show IE Toolbar", std::nullopt},
        {B::CB_E_01_DisableDontSendMessages, "Disable Don't Send messages.", S::DontSendMessages},
        {B::CB_E_02_DisableLowDiskSpaceMessages, "Disable Low Disk Space MSGs", S::LowDiskSpaceMessages},
        {B::CB_E_03_DisableToolTips, "Disable Tool Tips", S::ToolTips},
        {B::CB_E_04_DisableBalloonTips, "Disable Balloon Tips", S::BalloonTips},
        {B::CB_E_05_DisableDesktopCleanupWizard, "Disable Desktop Cleanup Wizard", S::DesktopCleanupWizard},
    };
    return table;
}

const SwitchBoxSpec& SwitchBoxSpecOf(SwitchBox box) {
    return SwitchBoxTable().at(static_cast<size_t>(box));
}

SwitchBox BoxOf(Switch id) {
    const std::vector<SwitchBoxSpec>& table = SwitchBoxTable();
    return std::find_if(table.begin(), table.end(),
                        [&](const SwitchBoxSpec& spec) { return spec.stands == id; })
        ->box;
}
