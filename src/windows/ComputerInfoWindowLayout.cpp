// The Computer Information window's controls: positions, sizes, colours, fonts and tab order.
#include "ComputerInfoWindow.h"
#include "ComputerInfoWindowIds.h"
#include "SwitchBoxPresenter.h"
#include "SwitchBoxes.h"
#include "BevelFrame.h"
#include "ColorLabel.h"
#include "GradientButton.h"
#include "Hints.h"
#include "SwitchCheckBox.h"
#include "WidgetClasses.h"

namespace {

constexpr int kClientWidth = 742;
constexpr int kClientHeight = 406;
constexpr int kLabelGap = 8;
constexpr int kLabelWidth = 90;
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct Field {
    int id;
    int labelId;
    const char* label;
    const char* hint;
    const char* text;
    int left, top, width;
};

struct Button {
    int id;
    const char* caption;
    const char* hint;
    int left, top;
};

// Top of the n-th box of a switch column.
int SwitchTop(int row) {
    return 176 + 24 * row;
}

}  // namespace

void ComputerInfoWindow::CreateControls() {
    HWND form = Handle();
    HWND tooltip = CreateHints(form);

    CreateChild(form, kBevelFrameClass, "", WS_VISIBLE, kFrame, 0, 0, kClientWidth, kClientHeight);
    int rule = kRules;
    for (int top : {1, 77, 145, 319})
        SetColorLabelColors(CreateChild(form, kColorLabelClass, "", WS_VISIBLE, rule++, 2, top, 737, 3),
                            kAccentColor, kAccentColor);
    struct Heading {
        int id;
        const char* text;
        int left, width;
        bool visible;
    };
    for (const Heading& heading : {Heading{kHeadingSystem, "System:", 16, 337, true},
                                   Heading{kHeadingInternetExplorer, "Internet Explorer:", 368, 177, false},
                                   Heading{kHeadingErrorMessages, "Error Messages:", 552, 177, true}})
        SetColorLabelStyle(CreateChild(form, kColorLabelClass, heading.text, heading.visible ? WS_VISIBLE : 0,
                                       heading.id, heading.left, 152, heading.width, 20),
                           kAccentColor, kWhite, Font("MS Sans Serif", 16, true), DT_LEFT);
    SetColorLabelStyle(CreateChild(form, kColorLabelClass, "Tellurin - Computer Information  ", WS_VISIBLE,
                                   kFooter, 2, 387, 737, 17),
                       kAccentColor, kWhite, Font("MS Sans Serif", 13, true), DT_RIGHT);

    // The rest in tab order: creation order is the order Tab follows.
    CreateIdentityBand(tooltip);
    CreateBrowserBand(tooltip);
    CreateSwitchBand(tooltip);

    // Invisible and disabled, above the client area.
    const Button hidden[] = {{kaButton, "a", "Minimize", 0, -19},
                             {kxminButton, "_", "Minimize", 17, -19},
                             {kxButton, "x", "Close", 34, -19}};
    for (const Button& button : hidden) {
        HWND control = CreateChild(form, kGradientButtonClass, button.caption, WS_DISABLED, button.id,
                                   button.left, button.top, 16, 16);
        AddHint(tooltip, control, button.hint);
    }
    PlaceControlsAtDpi();
}

void ComputerInfoWindow::CreateIdentityBand(HWND tooltip) {
    HWND form = Handle();
    auto addField = [&](const Field& field) {
        HWND label = CreateChild(form, "STATIC", field.label, WS_VISIBLE | SS_RIGHT, field.labelId,
                                 field.left - kLabelGap - kLabelWidth, field.top + 2, kLabelWidth, 16);
        SetControlFont(label, Font("MS Sans Serif", 13));
        HWND edit = CreateChild(form, "EDIT", field.text, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, field.id,
                                field.left, field.top, field.width, 19, WS_EX_CLIENTEDGE);
        SetControlFont(edit, Font("MS Sans Serif", 11, true));
        AddHint(tooltip, edit, field.hint);
    };
    auto addButton = [&](const Button& button) {
        HWND control = CreateChild(form, kGradientButtonClass, button.caption, WS_VISIBLE | WS_TABSTOP,
                                   button.id, button.left, button.top, 89, 19);
        SetControlFont(control, Font("MS Sans Serif", 11));
        AddHint(tooltip, control, button.hint);
    };
    addField({kLE_Computer, kFieldLabels, "Computer:", "Any computer name, that's in your network.", "", 99,
              15, 169});
    addButton({kButton_GetValues, "&Get Values", "Get Values from Computer", 181, 47});
    addField({kLE_OwnersName, kFieldLabels + 1, "Owner:", "Owner's name", "", 441, 15, 169});
    addField({kLE_Organization, kFieldLabels + 2, "Organization:", "Organization's Name", "", 441, 47, 169});
    addButton({kButton_WriteValues, "&Write Values", "Write Values", 619, 47});
    addField({kLE_HomePage, kFieldLabels + 3, "Home Page:", "Home page", "http://", 161, 87, 446});
    addField({kLE_Proxy, kFieldLabels + 4, "Proxy Server:", "Proxy Server:Port", "[Server IP]:[Port]", 161,
              119, 182});
    addButton({kButton_SetProxy, "Set &Proxy", "Write Values", 619, 119});
    addButton({kButton_SetHomePage, "Set &Home Page", "Write Values", 619, 87});
    EnableWindow(Control(kButton_SetProxy), FALSE);
    EnableWindow(Control(kButton_SetHomePage), FALSE);
}

void ComputerInfoWindow::CreateBrowserBand(HWND tooltip) {
    HWND form = Handle();
    HWND enabled = CreateChild(form, kFlatRadioClass, "Enabled", WS_VISIBLE | WS_TABSTOP, kRB_ProxyEnabled,
                               374, 119, 72, 17);
    HWND disabled = CreateChild(form, kFlatRadioClass, "Disabled", WS_VISIBLE | WS_TABSTOP, kRB_ProxyDisabled,
                                454, 119, 72, 17);
    SetToggleChecked(disabled, true);
    HWND close = CreateChild(form, kGradientButtonClass, "Close", WS_VISIBLE | WS_TABSTOP, kButton_Close, 635,
                             351, 89, 19);
    for (HWND control : {enabled, disabled, close})
        SetControlFont(control, Font("MS Sans Serif", 11));
    AddHint(tooltip, close, "Close");
}

void ComputerInfoWindow::CreateSwitchBand(HWND tooltip) {
    // Where each box stands: column left, width and row; the invisible ones at left 368.
    struct Place {
        int left, width, row;
    };
    auto placeOf = [](SwitchBox box) {
        const int n = static_cast<int>(box);
        if (n <= static_cast<int>(SwitchBox::CB_06_CMDPrompt))
            return Place{16, 161, n};
        if (n <= static_cast<int>(SwitchBox::CB_12_TaskbarContextMenu))
            return Place{184, 169, n - 6};
        if (n <= static_cast<int>(SwitchBox::CB_17_IE_Toolbar))
            return Place{368, 177, n - 12};
        return Place{552, 177, n - static_cast<int>(SwitchBox::CB_E_01_DisableDontSendMessages)};
    };
    using B = SwitchBox;
    const SwitchBox tabOrder[] = {B::CB_01_TaskManager,
                                  B::CB_02_Regedit,
                                  B::CB_03_FolderOptions,
                                  B::CB_04_HiddenFilesAndFolders,
                                  B::CB_05_RunCommand,
                                  B::CB_13_IE_HomePageChange,
                                  B::CB_14_IE_Closing,
                                  B::CB_15_IE_Options,
                                  B::CB_16_IE_AddressBar,
                                  B::CB_17_IE_Toolbar,
                                  B::CB_06_CMDPrompt,
                                  B::CB_09_ControlPanel,
                                  B::CB_10_DesktopIcons,
                                  B::CB_11_FileExtensions,
                                  B::CB_12_TaskbarContextMenu,
                                  B::CB_08_ShutdownCommand,
                                  B::CB_07_LogoffCommand,
                                  B::CB_CheckAll,
                                  B::CB_E_01_DisableDontSendMessages,
                                  B::CB_E_02_DisableLowDiskSpaceMessages,
                                  B::CB_E_03_DisableToolTips,
                                  B::CB_E_04_DisableBalloonTips,
                                  B::CB_E_05_DisableDesktopCleanupWizard};
    for (SwitchBox box : tabOrder) {
        HWND control;
        if (box == B::CB_CheckAll) {
            control = CreateChild(Handle(), kSwitchCheckBoxClass, "Check All", WS_VISIBLE | WS_TABSTOP,
                                  IdOf(box), 635, 296, 90, 17);
        } else {
            const SwitchBoxSpec& spec = SwitchBoxSpecOf(box);
            const Place place = placeOf(box);
            const bool visible = box < B::CB_13_IE_HomePageChange || box > B::CB_17_IE_Toolbar;
            control = CreateChild(Handle(), kSwitchCheckBoxClass, spec.caption,
                                  (visible ? WS_VISIBLE : 0) | WS_TABSTOP, IdOf(box), place.left,
                                  SwitchTop(place.row), place.width, 17);
            if (*spec.hint)
                AddHint(tooltip, control, spec.hint);
            if (visible)
                ::SetSwitchColors(control, kSwitchUncheckedBackground, kSwitchUncheckedText);
        }
        SetControlFont(control, Font("MS Sans Serif", 11));
    }
}
