// The Computer Information window: messages, handlers, and the StationView over its controls.
#include "TForm2.h"

#include "TForm2Ids.h"
#include "ErrorDisplay.h"
#include "ModalWindow.h"
#include "SwitchCheckBox.h"

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
constexpr UINT_PTR kTimer1 = 1;

}  // namespace

TForm2::TForm2(Links links, const RegistryApi& api, const DesktopApi& desktop)
    : links_(std::move(links)), info_(*this, *links_.notifier, api, desktop) {
    background_.reset(CreateSolidBrush(kBackgroundColor));
    white_.reset(CreateSolidBrush(RGB(255, 255, 255)));
    RegisterClassOnce("TForm2", nullptr, nullptr);
    CreateTopLevel("TForm2", "Computer Information", kStyle, kExStyle, 333, 312, 742, 406, links_.mainWindow);
    CreateControls();
    SetTimer(Handle(), kTimer1, 1000, nullptr);
}

int TForm2::IdOf(SwitchBox box) {
    return kSwitchBoxes + static_cast<int>(box);
}

int TForm2::IdOf(StationField field) {
    switch (field) {
        case StationField::LE_Computer:
            return kLE_Computer;
        case StationField::LE_OwnersName:
            return kLE_OwnersName;
        case StationField::LE_Organization:
            return kLE_Organization;
        case StationField::LE_HomePage:
            return kLE_HomePage;
        case StationField::LE_Proxy:
            break;
    }
    return kLE_Proxy;
}

void TForm2::ShowModal() {
    // A failed showing still opens the window; the fields not yet filled keep their texts.
    DispatchSafely([this] { info_.FormShow(links_.getLocalComputerName()); });
    ::ShowModal(Handle(), links_.mainWindow);
}

LRESULT TForm2::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_TIMER:
            if (wParam == kTimer1)
                info_.Timer1Timer();
            return 0;
        case WM_CLOSE:  // the title bar's close box or Alt+F4: hidden at once
            CloseForm();
            return 0;
        case WM_NCHITTEST:
            return HitTestDraggingBody(wParam, lParam);
        case WM_DPICHANGED:
            return DpiChanged(wParam, lParam);
        case WM_ERASEBKGND:
            return EraseBackground(reinterpret_cast<HDC>(wParam), background_.get());
        case WM_CTLCOLORSTATIC:
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<LRESULT>(background_.get());
        case WM_CTLCOLOREDIT:
            SetTextColor(reinterpret_cast<HDC>(wParam), kAccentColor);
            return reinterpret_cast<LRESULT>(white_.get());
        default:
            return Default(message, wParam, lParam);
    }
}

void TForm2::OnCommand(int id, int code, HWND control) {
    StationValues& values = info_.Values();
    if (code == EN_CHANGE)
        return OnFieldChange(id);
    if (id >= kSwitchBoxes && id <= IdOf(SwitchBox::CB_CheckAll)) {
        const SwitchClickHandler click = ClickHandlerOf(static_cast<SwitchBox>(id - kSwitchBoxes));
        if (code == BN_CLICKED && click)
            (info_.Switches().*click)(IsToggleChecked(control));
        return;
    }
    if (code != BN_CLICKED)
        return;
    switch (id) {
        case kButton_GetValues:
            values.Button_GetValuesClick(Text(kLE_Computer));
            break;
        case kButton_WriteValues:
            values.Button_WriteValuesClick(Text(kLE_Computer), Text(kLE_OwnersName), Text(kLE_Organization));
            break;
        case kButton_SetHomePage:
            values.Button_SetHomePageClick(Text(kLE_Computer), Text(kLE_HomePage));
            break;
        case kButton_SetProxy:
            values.Button_SetProxyClick(Text(kLE_Computer), Text(kLE_Proxy));
            break;
        case kRB_ProxyEnabled:
            values.RB_ProxyEnabledClick();
            break;
        case kRB_ProxyDisabled:
            values.RB_ProxyDisabledClick();
            break;
        case kButton_Close:
            info_.Button_CloseClick();
            break;
        case kxButton:
            info_.xButtonClick();
            break;
        case kxminButton:
            ShowWindow(links_.mainWindow, SW_MINIMIZE);
            break;
        case kaButton:
            if (links_.showAboutBox)
                links_.showAboutBox();
            break;
        default:
            break;
    }
}

void TForm2::OnFieldChange(int id) {
    StationValues& values = info_.Values();
    switch (id) {
        case kLE_Computer:
            values.LE_ComputerChange(Text(kLE_Computer));
            break;
        case kLE_OwnersName:
            values.LE_OwnersNameChange(Text(kLE_OwnersName), Text(kLE_Organization));
            break;
        case kLE_Organization:
            values.LE_OrganizationChange(Text(kLE_OwnersName), Text(kLE_Organization));
            break;
        case kLE_HomePage:
            values.LE_HomePageChange(Text(kLE_HomePage));
            break;
        case kLE_Proxy:
            values.LE_ProxyChange(Text(kLE_Proxy));
            break;
        default:
            break;
    }
}

std::string TForm2::Text(int id) const {
    HWND control = Control(id);
    std::string text(GetWindowTextLengthA(control) + 1, '\0');
    text.resize(GetWindowTextA(control, text.data(), static_cast<int>(text.size())));
    return text;
}

void TForm2::SetFieldText(StationField field, const std::string& text) {
    SetWindowTextA(Control(IdOf(field)), text.c_str());  // EN_CHANGE runs the field's change handler
}

void TForm2::FocusField(StationField field) {
    SetFocus(Control(IdOf(field)));
}

void TForm2::MarkProxyRadio(ProxyRadio marked) {
    SetToggleChecked(Control(kRB_ProxyEnabled), marked == ProxyRadio::RB_ProxyEnabled);
    SetToggleChecked(Control(kRB_ProxyDisabled), marked == ProxyRadio::RB_ProxyDisabled);
}

bool TForm2::SwitchMark(SwitchBox box) const {
    return IsToggleChecked(Control(IdOf(box)));
}

void TForm2::SetSwitchMark(SwitchBox box, bool checked) {
    SetToggleChecked(Control(IdOf(box)), checked);
}

void TForm2::SetSwitchColors(SwitchBox box, COLORREF background, COLORREF text) {
    ::SetSwitchColors(Control(IdOf(box)), background, text);
}

void TForm2::EnableButton(StationButton button, bool enabled) {
    static constexpr int kIds[] = {kButton_GetValues, kButton_WriteValues, kButton_SetHomePage,
                                   kButton_SetProxy};
    EnableWindow(Control(kIds[static_cast<int>(button)]), enabled);
}

void TForm2::CloseForm() {
    ShowWindow(Handle(), SW_HIDE);
    info_.FormClose();
}
