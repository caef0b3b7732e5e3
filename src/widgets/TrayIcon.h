// Notification-area icon of a window: added on construction, removed on destruction. A left click
// restores a minimised owner or minimises a shown one; a right click shows the owner's pop-up menu.
#pragma once

#include <windows.h>

#include <string>

// What HandleCallback made of one mouse event on the icon.
enum class TrayAction { None, Restored, Minimised, MenuShown };

class TrayIcon {
public:
    // The icon and the menu stay the caller's; callbackMessage is what the owner receives for mouse events.
    TrayIcon(HWND owner, UINT callbackMessage, HICON icon, const std::string& hint);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // False where the system has no notification area; everything else still works then.
    bool IsShown() const { return shown_; }
    void SetHint(const std::string& hint);
    // Commands of the menu go to the owner as WM_COMMAND.
    void SetMenu(HMENU menu) { menu_ = menu; }
    // Adds the icon again, as needed when the task bar was re-created.
    void Show();

    // For the owner's callbackMessage handler: lParam is the mouse message.
    TrayAction HandleCallback(LPARAM lParam);

    // The owner keeps only its icon while minimised: call when it has been minimised.
    void HideOwnerFromTaskbar();
    void RestoreOwner();
    void MinimiseOwner();

private:
    NOTIFYICONDATAA Data(UINT flags) const;
    TrayAction ShowMenu();

    HWND owner_;
    UINT callbackMessage_;
    HICON icon_;
    std::string hint_;
    HMENU menu_ = nullptr;
    bool shown_ = false;
};
