// The host window of the control tests.
#include "WidgetHost.h"

#include "WidgetClasses.h"

namespace {

constexpr char kHostClass[] = "TellurinWidgetTestHost";

void RegisterHostClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSA host{};
    host.lpfnWndProc = procedure;
    host.hInstance = instance;
    host.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    host.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    host.lpszClassName = kHostClass;
    RegisterClassA(&host);  // fails harmlessly when a previous test registered it
}

}  // namespace

WidgetHost::WidgetHost(int left, int top) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterWidgetClasses(instance);
    RegisterHostClass(instance, Procedure);
    window_ = CreateWindowExA(WS_EX_TOPMOST, kHostClass, "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                              left, top, 600, 400, nullptr, nullptr, instance, this);
    SetForegroundWindow(window_);
}

WidgetHost::~WidgetHost() {
    DestroyWindow(window_);
}

HWND WidgetHost::Create(const char* className, const char* text, RECT place, int id) {
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, window_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                           nullptr);
}

LRESULT CALLBACK WidgetHost::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* host = reinterpret_cast<WidgetHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_COMMAND && host) {
        HWND control = reinterpret_cast<HWND>(lParam);
        const bool checked = control && SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        host->notifications_.push_back({LOWORD(wParam), HIWORD(wParam), control, checked});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void PumpMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG message;
    do {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

LPARAM PointParam(POINT point) {
    return MAKELPARAM(point.x, point.y);
}

POINT CentreOf(const RECT& rect) {
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void PressAt(HWND control, POINT point) {
    SendMessageA(control, WM_MOUSEMOVE, 0, PointParam(point));
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(point));
}

void ReleaseAt(HWND control, POINT point) {
    SendMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, PointParam(point));
    SendMessageA(control, WM_LBUTTONUP, 0, PointParam(point));
}

void ClickAt(HWND control, POINT point) {
    PressAt(control, point);
    ReleaseAt(control, point);
}

void PressKey(HWND control, WPARAM key) {
    SendMessageA(control, WM_KEYDOWN, key, 1);
    SendMessageA(control, WM_KEYUP, key, 0xC0000001);
}
