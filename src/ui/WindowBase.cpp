// The shared window procedure of the program's own windows.
#include "ui/WindowBase.h"

#include "ui/ErrorDisplay.h"

HWND CreateChild(HWND parent,
                 const char* className,
                 const char* text,
                 DWORD style,
                 int id,
                 int left,
                 int top,
                 int width,
                 int height,
                 DWORD exStyle) {
    return CreateWindowExA(exStyle, className, text, WS_CHILD | style, left, top, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                           nullptr);
}

void SetControlFont(HWND control, HFONT font) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

WindowBase::~WindowBase() {
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void WindowBase::RegisterClassOnce(const char* className, HICON icon, HBRUSH background) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoExA(instance, className, &existing))
        return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = icon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    RegisterClassExA(&windowClass);
}

void WindowBase::CreateTopLevel(const char* className,
                                const char* caption,
                                DWORD style,
                                DWORD exStyle,
                                int left,
                                int top,
                                int clientWidth,
                                int clientHeight,
                                HWND owner) {
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    CreateWindowExA(exStyle, className, caption, style, left, top, frame.right - frame.left,
                    frame.bottom - frame.top, owner, nullptr, GetModuleHandleA(nullptr), this);
}

LRESULT WindowBase::EraseBackground(HDC dc, HGDIOBJ brush) {
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(brush));
    return 1;
}

LRESULT WindowBase::HitTestDraggingBody(WPARAM wParam, LPARAM lParam) {
    const LRESULT hit = Default(WM_NCHITTEST, wParam, lParam);
    return hit == HTCLIENT ? HTCAPTION : hit;
}

LRESULT CALLBACK WindowBase::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (!DispatchSafely([&] { result = self->HandleMessage(message, wParam, lParam); }))
        result = DefWindowProcA(window, message, wParam, lParam);
    return result;
}
