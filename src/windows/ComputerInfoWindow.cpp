// The Computer Information window: messages to handlers, and the ComputerInfoView over its controls.
#include "ComputerInfoWindow.h"

#include "ComputerInfoWindowIds.h"
#include "ErrorDisplay.h"
#include "ModalWindow.h"
#include "SwitchCheckBox.h"
#include "WindowClassNames.h"

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
constexpr UINT_PTR kTimer1 = 1;

}  // namespace

ComputerInfoWindow::ComputerInfoWindow(Links links, const RegistryApi& api, const DesktopApi& desktop)
    : links_(std::move(links)), presenter_(*this, *links_.notifier, api, desktop) {
    background_.reset(CreateSolidBrush(kBackgroundColor));
    white_.reset(CreateSolidBrush(RGB(255, 255, 255)));
    RegisterClassOnce(kComputerInfoWindowClass, nullptr, nullptr);
    CreateTopLevel(kComputerInfoWindowClass, "Computer Information", kStyle, kExStyle, 333, 312, 742, 406,
                   links_.mainWindow);
    CreateControls();
    SetTimer(Handle(), kTimer1, 1000, nullptr);
}

int ComputerInfoWindow::IdOf(SwitchBox box) {
    return kSwitchBoxes + static_cast<int>(box);
}

int ComputerInfoWindow::IdOf(StationField field) {
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

void ComputerInfoWindow::ShowModal() {
    // A failed showing still opens the window; the fields not yet filled keep their texts.
    DispatchSafely([this] { presenter_.FormShow(links_.getLocalComputerName()); });
    ::ShowModal(Handle(), links_.mainWindow);
}

LRESULT ComputerInfoWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT answer = 0;
        AnswerBodyMessage(message, wParam, lParam, background_.get(), Body::Dragged, answer))
        return answer;
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_TIMER:
            if (wParam == kTimer1)
                presenter_.Timer1Timer();
            return 0;
        case WM_CLOSE:  // the title bar's close box or Alt+F4: hidden at once
            CloseForm();
            return 0;
        case WM_CTLCOLOREDIT:
            SetTextColor(reinterpret_cast<HDC>(wParam), kAccentColor);
            return reinterpret_cast<LRESULT>(white_.get());
        default:
            return Default(message, wParam, lParam);
    }
}

void ComputerInfoWindow::OnCommand(int id, int code, HWND control) {
    if (code == EN_CHANGE)
        return OnFieldChange(id);
    if (code != BN_CLICKED)
        return;
    if (id >= kSwitchBoxes && id <= IdOf(SwitchBox::CB_CheckAll))
        return presenter_.Switches().SwitchBoxClick(static_cast<SwitchBox>(id - kSwitchBoxes),
                                                    IsToggleChecked(control));
    switch (id) {
        case kButton_GetValues:
            presenter_.Button_GetValuesClick(ControlText(kLE_Computer));
            break;
        case kButton_WriteValues:
            presenter_.Button_WriteValuesClick(ControlText(kLE_Computer), ControlText(kLE_OwnersName),
                                               ControlText(kLE_Organization));
            break;
        case kButton_SetHomePage:
            presenter_.Button_SetHomePageClick(ControlText(kLE_Computer), ControlText(kLE_HomePage));
            break;
        case kButton_SetProxy:
            presenter_.Button_SetProxyClick(ControlText(kLE_Computer), ControlText(kLE_Proxy));
            break;
        case kRB_ProxyEnabled:
            presenter_.RB_ProxyEnabledClick();
            break;
        case kRB_ProxyDisabled:
            presenter_.RB_ProxyDisabledClick();
            break;
        case kButton_Close:
            presenter_.Button_CloseClick();
            break;
        case kxButton:
            presenter_.xButtonClick();
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

void ComputerInfoWindow::OnFieldChange(int id) {
    switch (id) {
        case kLE_Computer:
            presenter_.LE_ComputerChange(ControlText(kLE_Computer));
            break;
        case kLE_OwnersName:
            presenter_.LE_OwnersNameChange(ControlText(kLE_OwnersName), ControlText(kLE_Organization));
            break;
        case kLE_Organization:
            presenter_.LE_OrganizationChange(ControlText(kLE_OwnersName), ControlText(kLE_Organization));
            break;
        case kLE_HomePage:
            presenter_.LE_HomePageChange(ControlText(kLE_HomePage));
            break;
        case kLE_Proxy:
            presenter_.LE_ProxyChange(ControlText(kLE_Proxy));
            break;
        default:
            break;
    }
}

void ComputerInfoWindow::SetFieldText(StationField field, const std::string& text) {
    SetWindowTextA(Control(IdOf(field)), text.c_str());  // EN_CHANGE runs the field's change handler
}

void ComputerInfoWindow::FocusField(StationField field) {
    SetFocus(Control(IdOf(field)));
}

void ComputerInfoWindow::MarkProxyRadio(ProxyRadio marked) {
    SetToggleChecked(Control(kRB_ProxyEnabled), marked == ProxyRadio::RB_ProxyEnabled);
    SetToggleChecked(Control(kRB_ProxyDisabled), marked == ProxyRadio::RB_ProxyDisabled);
}

bool ComputerInfoWindow::SwitchMark(SwitchBox box) const {
    return IsToggleChecked(Control(IdOf(box)));
}

void ComputerInfoWindow::SetSwitchMark(SwitchBox box, bool checked) {
    SetToggleChecked(Control(IdOf(box)), checked);
}

void ComputerInfoWindow::SetSwitchColors(SwitchBox box, COLORREF background, COLORREF text) {
    ::SetSwitchColors(Control(IdOf(box)), background, text);
}

void ComputerInfoWindow::EnableButton(StationButton button, bool enabled) {
    static constexpr int kIds[] = {kButton_GetValues, kButton_WriteValues, kButton_SetHomePage,
                                   kButton_SetProxy};
    EnableWindow(Control(kIds[static_cast<int>(button)]), enabled);
}

void ComputerInfoWindow::CloseForm() {
    ShowWindow(Handle(), SW_HIDE);
    presenter_.FormClose();
}
