// A visible top-level window that hosts controls under test and records the WM_COMMANDs it receives.
#pragma once

#include <windows.h>

#include <vector>

struct Notification {
    WORD id;
    WORD code;
    HWND control;
    bool checkedWhenSent;  // the control's BM_GETCHECK while the parent handled it
};

class WidgetHost {
public:
    explicit WidgetHost(int left = 100, int top = 100);
    ~WidgetHost();
    WidgetHost(const WidgetHost&) = delete;
    WidgetHost& operator=(const WidgetHost&) = delete;

    HWND window() const { return window_; }
    HWND Create(const char* className, const char* text, RECT place, int id);
    const std::vector<Notification>& notifications() const { return notifications_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::vector<Notification> notifications_;
};

// Dispatches this thread's messages for the given time.
void PumpMessages(DWORD milliseconds);
LPARAM PointParam(POINT point);
POINT CentreOf(const RECT& rect);
// The left button pressed and released at client points of control, as the mouse would.
void PressAt(HWND control, POINT point);
void ReleaseAt(HWND control, POINT point);
void ClickAt(HWND control, POINT point);
void PressKey(HWND control, WPARAM key);
