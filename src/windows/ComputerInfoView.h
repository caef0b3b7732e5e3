// What the Computer Information presenter shows: fields, radio marks, switch marks and colours,
// buttons, focus and closing; the window implements it over its controls, tests with a fake.
#pragma once

#include <windows.h>

#include <string>

// The labelled edits of the window.
enum class StationField { LE_Computer, LE_OwnersName, LE_Organization, LE_HomePage, LE_Proxy };

// The push buttons whose enabling follows the fields.
enum class StationButton { Button_GetValues, Button_WriteValues, Button_SetHomePage, Button_SetProxy };

// The two proxy radio buttons, one group.
enum class ProxyRadio { RB_ProxyEnabled, RB_ProxyDisabled };

// Every check box of the lower band, in the order of their numbers; CB_13 to CB_17 stand invisible.
enum class SwitchBox {
    CB_01_TaskManager,
    CB_02_Regedit,
    CB_03_FolderOptions,
    CB_04_HiddenFilesAndFolders,
    CB_05_RunCommand,
    CB_06_CMDPrompt,
    CB_07_LogoffCommand,
    CB_08_ShutdownCommand,
    CB_09_ControlPanel,
    CB_10_DesktopIcons,
    CB_11_FileExtensions,
    CB_12_TaskbarContextMenu,
    CB_13_IE_HomePageChange,
    CB_14_IE_Closing,
    CB_15_IE_Options,
    CB_16_IE_AddressBar,
    CB_17_IE_Toolbar,
    CB_E_01_DisableDontSendMessages,
    CB_E_02_DisableLowDiskSpaceMessages,
    CB_E_03_DisableToolTips,
    CB_E_04_DisableBalloonTips,
    CB_E_05_DisableDesktopCleanupWizard,
    CB_CheckAll,
};

class ComputerInfoView {
public:
    virtual ~ComputerInfoView() = default;

    // Like typing into the control: the window then runs that field's change handler.
    virtual void SetFieldText(StationField field, const std::string& text) = 0;
    virtual void FocusField(StationField field) = 0;
    // Marks the given radio button and unmarks the other; runs no click handler.
    virtual void MarkProxyRadio(ProxyRadio marked) = 0;

    virtual bool SwitchMark(SwitchBox box) const = 0;
    // Sets the mark only: the box's click handler does not run.
    virtual void SetSwitchMark(SwitchBox box, bool checked) = 0;
    virtual void SetSwitchColors(SwitchBox box, COLORREF background, COLORREF text) = 0;

    virtual void EnableButton(StationButton button, bool enabled) = 0;
    // Closes (hides) the window; the window's FormClose runs as with any close.
    virtual void CloseForm() = 0;
};
