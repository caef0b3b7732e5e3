// The window procedure frame every control shares: per-window state and a no-throw boundary.
#pragma once

#include <windows.h>

// The extra window bytes each control class reserves: one pointer to its state.
inline constexpr int kWidgetExtraBytes = sizeof(LONG_PTR);

template <typename State>
State* WidgetStateOf(HWND window) {
    return reinterpret_cast<State*>(GetWindowLongPtrA(window, 0));
}

// A control's handler: gets its state, answers the message or passes it to DefWindowProcA.
template <typename State>
using WidgetHandler = LRESULT (*)(HWND, State&, UINT, WPARAM, LPARAM);

// The state lives from WM_NCCREATE to WM_NCDESTROY. Exceptions must not unwind through the system's
// callback frames, so one that escapes a handler ends that message only (a failed create fails the window).
template <typename State, WidgetHandler<State> Handle>
LRESULT CALLBACK WidgetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        if (message == WM_NCCREATE)
            SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(new State()));
        State* state = WidgetStateOf<State>(window);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(window, 0, 0);
            delete state;
            state = nullptr;
        }
        if (!state)
            return DefWindowProcA(window, message, wParam, lParam);
        return Handle(window, *state, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

// The font and text messages of a control that paints its window text in the font it was given:
// true with the answer in result; WM_SETTEXT only asks for a repaint and is left to the default.
inline bool AnswerFontAndText(HWND window,
                              HFONT& font,
                              UINT message,
                              WPARAM wParam,
                              LPARAM lParam,
                              LRESULT& result) {
    switch (message) {
        case WM_SETFONT:
            font = reinterpret_cast<HFONT>(wParam);
            if (LOWORD(lParam))
                InvalidateRect(window, nullptr, FALSE);
            result = 0;
            return true;
        case WM_GETFONT:
            result = reinterpret_cast<LRESULT>(font);
            return true;
        case WM_SETTEXT:
            InvalidateRect(window, nullptr, FALSE);
            return false;
        default:
            return false;
    }
}

// Owns a window the control made for itself (such as its tooltip) and destroys it.
class UniqueWindow {
public:
    UniqueWindow() noexcept = default;
    explicit UniqueWindow(HWND window) noexcept : window_(window) {}
    ~UniqueWindow() { reset(); }
    UniqueWindow(const UniqueWindow&) = delete;
    UniqueWindow& operator=(const UniqueWindow&) = delete;

    HWND get() const noexcept { return window_; }
    void reset(HWND window = nullptr) noexcept {
        if (window_ && IsWindow(window_))
            DestroyWindow(window_);  // the system may have destroyed it with its owner
        window_ = window;
    }

private:
    HWND window_ = nullptr;
};
