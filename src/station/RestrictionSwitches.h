// The local switches of the lower band: reading rule, writer, colours, clicks and Check All.
#pragma once

#include <windows.h>

#include <string>

#include "RegistryApi.h"
#include "DesktopApi.h"
#include "StationView.h"
#include "SwitchTable.h"
#include "Notifier.h"

// PaintSwitch colours: accent blue with white text when checked, the window's background with black.
inline constexpr COLORREF kSwitchCheckedBackground = 0xB35900;
inline constexpr COLORREF kSwitchCheckedText = 0xFFFFFF;
inline constexpr COLORREF kSwitchUncheckedBackground = 0xFFECD9;
inline constexpr COLORREF kSwitchUncheckedText = 0x000000;

class RestrictionSwitches {
public:
    RestrictionSwitches(StationView& view,
                        Notifier& notifier,
                        const RegistryApi& api = RealRegistryApi(),
                        const DesktopApi& desktop = RealDesktopApi());

    // The reading rule: true for any number but 1; false for 1, a missing value, or a key that does
    // not open with full access. Raises when the value is not a 4-byte number.
    bool ReadSwitchState(HKEY root, const std::string& keyPath, const std::string& valueName) const;

    // The writer of every row: the row's numbers for the new mark into each of its values, in order,
    // or the desktop icons shown or hidden. True when the key opened and every value was written;
    // raises when a value is refused.
    bool WriteSwitch(const SwitchSpec& spec, bool checked);
    // Shows or hides the first child of the "ProgMan" window; nothing is reported.
    void ShowDesktopIcons(bool checked);

    void PaintSwitch(SwitchBox box, bool checked);

    // Click handlers, each over its table row: the window passes the box's new mark (the click
    // toggled it already).
    void CB_01_TaskManagerClick(bool checked) { Click(SwitchBox::CB_01_TaskManager, checked); }
    void CB_02_RegeditClick(bool checked) { Click(SwitchBox::CB_02_Regedit, checked); }
    void CB_03_FolderOptionsClick(bool checked) { Click(SwitchBox::CB_03_FolderOptions, checked); }
    void CB_04_HiddenFilesAndFoldersClick(bool checked) {
        Click(SwitchBox::CB_04_HiddenFilesAndFolders, checked);
    }
    void CB_05_RunCommandClick(bool checked) { Click(SwitchBox::CB_05_RunCommand, checked); }
    void CB_06_CMDPromptClick(bool checked) { Click(SwitchBox::CB_06_CMDPrompt, checked); }
    void CB_07_LogoffCommandClick(bool checked) { Click(SwitchBox::CB_07_LogoffCommand, checked); }
    void CB_08_ShutdownCommandClick(bool checked) { Click(SwitchBox::CB_08_ShutdownCommand, checked); }
    void CB_09_ControlPanelClick(bool checked) { Click(SwitchBox::CB_09_ControlPanel, checked); }
    void CB_10_DesktopIconsClick(bool checked) { Click(SwitchBox::CB_10_DesktopIcons, checked); }
    void CB_11_FileExtensionsClick(bool checked) { Click(SwitchBox::CB_11_FileExtensions, checked); }
    void CB_12_TaskbarContextMenuClick(bool checked) { Click(SwitchBox::CB_12_TaskbarContextMenu, checked); }
    void CB_E_01_DisableDontSendMessagesClick(bool checked) {
        Click(SwitchBox::CB_E_01_DisableDontSendMessages, checked);
    }
    void CB_E_02_DisableLowDiskSpaceMessagesClick(bool checked) {
        Click(SwitchBox::CB_E_02_DisableLowDiskSpaceMessages, checked);
    }
    void CB_E_03_DisableToolTipsClick(bool checked) { Click(SwitchBox::CB_E_03_DisableToolTips, checked); }
    void CB_E_04_DisableBalloonTipsClick(bool checked) {
        Click(SwitchBox::CB_E_04_DisableBalloonTips, checked);
    }
    void CB_E_05_DisableDesktopCleanupWizardClick(bool checked) {
        Click(SwitchBox::CB_E_05_DisableDesktopCleanupWizard, checked);
    }
    void CB_CheckAllClick(bool checked) { SetAllSwitches(checked); }

    // Sets and applies every box in the Check All order.
    void SetAllSwitches(bool checked);
    // Reads every bound switch first, then colours and marks the boxes; raises before any mark
    // changes when a value cannot be read.
    void LoadSwitchMarks();

private:
    // A user's click: the mark before it is the other one.
    void Click(SwitchBox box, bool checked) { ApplySwitch(SwitchSpecOf(box), checked, !checked); }
    // Writes the new mark; when nothing was stored, the box goes back to its previous mark.
    void ApplySwitch(const SwitchSpec& spec, bool checked, bool previous);

    StationView& view_;
    Notifier& notifier_;
    const RegistryApi& api_;
    const DesktopApi& desktop_;
};
