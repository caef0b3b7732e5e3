// Notification-area icon through Shell_NotifyIconA.
#include "TrayIcon.h"

#include <shellapi.h>

namespace {

constexpr UINT kIconId = 1;

}  // namespace

TrayIcon::TrayIcon(HWND owner, UINT callbackMessage, HICON icon, const std::string& hint)
    : owner_(owner), callbackMessage_(callbackMessage), icon_(icon), hint_(hint) {
    Show();
}

TrayIcon::~TrayIcon() {
    if (!shown_)
        return;
    NOTIFYICONDATAA data = Data(0);
    Shell_NotifyIconA(NIM_DELETE, &data);
}

// The tip is cut to the size of the record's field, always terminated.
NOTIFYICONDATAA TrayIcon::Data(UINT flags) const {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = owner_;
    data.uID = kIconId;
    data.uFlags = flags;
    data.uCallbackMessage = callbackMessage_;
    data.hIcon = icon_;
    lstrcpynA(data.szTip, hint_.c_str(), sizeof data.szTip);
    return data;
}

void TrayIcon::Show() {
    NOTIFYICONDATAA data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    if (shown_)
        Shell_NotifyIconA(NIM_DELETE, &data);
    shown_ = Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
}

void TrayIcon::SetHint(const std::string& hint) {
    hint_ = hint;
    if (!shown_)
        return;
    NOTIFYICONDATAA data = Data(NIF_TIP);
    Shell_NotifyIconA(NIM_MODIFY, &data);
}

TrayAction TrayIcon::HandleCallback(LPARAM lParam) {
    switch (static_cast<UINT>(lParam)) {
        case WM_LBUTTONUP:
            if (IsIconic(owner_) || !IsWindowVisible(owner_)) {
                RestoreOwner();
                return TrayAction::Restored;
            }
            MinimiseOwner();
            return TrayAction::Minimised;
        case WM_RBUTTONUP:
            return ShowMenu();
    }
    return TrayAction::None;
}

// The owner must be in front while the menu is tracked, or the menu does not close when the user
// clicks elsewhere; the posted WM_NULL makes the next click work at once.
TrayAction TrayIcon::ShowMenu() {
    if (!menu_)
        return TrayAction::None;
    POINT cursor;
    GetCursorPos(&cursor);
    SetForegroundWindow(owner_);
    TrackPopupMenu(menu_, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, owner_, nullptr);
    PostMessageA(owner_, WM_NULL, 0, 0);
    return TrayAction::MenuShown;
}

void TrayIcon::HideOwnerFromTaskbar() {
    ShowWindow(owner_, SW_HIDE);
}

void TrayIcon::RestoreOwner() {
    ShowWindow(owner_, SW_RESTORE);
    SetForegroundWindow(owner_);
}

void TrayIcon::MinimiseOwner() {
    ShowWindow(owner_, SW_MINIMIZE);
    HideOwnerFromTaskbar();
}
