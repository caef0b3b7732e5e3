// Press, release, capture, Space and hover handling shared by the button and the check controls.
#include "ButtonInput.h"

#include "WidgetPaint.h"

namespace {

InputResult Repaint(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
    return InputResult::Handled;
}

InputResult MouseDown(HWND window, ButtonInput& input) {
    input.captured = true;
    input.inside = true;
    SetCapture(window);
    if (GetFocus() != window)
        SetFocus(window);
    return Repaint(window);
}

// Releasing capture sends WM_CAPTURECHANGED, which clears the state; read it first.
InputResult MouseUp(HWND window, ButtonInput& input, LPARAM lParam, bool enabled) {
    if (!input.captured)
        return InputResult::Handled;
    const bool click = enabled && PointInClient(window, lParam);
    input.captured = false;
    if (GetCapture() == window)
        ReleaseCapture();
    Repaint(window);
    return click ? InputResult::Click : InputResult::Handled;
}

InputResult MouseMove(HWND window, ButtonInput& input, LPARAM lParam) {
    const bool inside = PointInClient(window, lParam);
    if (!input.hot)
        TrackMouseLeave(window);
    if (input.hot == inside && (!input.captured || input.inside == inside))
        return InputResult::Handled;
    input.hot = inside;
    if (input.captured)
        input.inside = inside;
    return Repaint(window);
}

// A held Enter repeats its key-down; only the first one clicks.
InputResult KeyDown(HWND window, ButtonInput& input, WPARAM key, LPARAM flags, bool acceptEnter) {
    const bool repeated = (flags & (1 << 30)) != 0;
    if (key == VK_RETURN && acceptEnter)
        return repeated ? InputResult::Handled : InputResult::Click;
    if (key != VK_SPACE || input.spaceDown)
        return InputResult::Unhandled;
    input.spaceDown = true;
    return Repaint(window);
}

InputResult KeyUp(HWND window, ButtonInput& input, WPARAM key) {
    if (key != VK_SPACE || !input.spaceDown)
        return InputResult::Unhandled;
    input.spaceDown = false;
    Repaint(window);
    return InputResult::Click;
}

}  // namespace

InputResult HandleButtonInput(HWND window,
                              ButtonInput& input,
                              UINT message,
                              WPARAM wParam,
                              LPARAM lParam,
                              bool acceptEnter) {
    const bool enabled = IsWindowEnabled(window);
    switch (message) {
        case WM_LBUTTONDOWN:
            return enabled ? MouseDown(window, input) : InputResult::Handled;
        case WM_LBUTTONUP:
            return MouseUp(window, input, lParam, enabled);
        case WM_MOUSEMOVE:
            return MouseMove(window, input, lParam);
        case WM_MOUSELEAVE:
            input.hot = false;
            return Repaint(window);
        case WM_CAPTURECHANGED:
            input.captured = false;
            return Repaint(window);
        case WM_KEYDOWN:
            return enabled ? KeyDown(window, input, wParam, lParam, acceptEnter) : InputResult::Unhandled;
        case WM_KEYUP:
            return KeyUp(window, input, wParam);
        case WM_KILLFOCUS:
        case WM_ENABLE:
            input.spaceDown = false;
            return Repaint(window);
        case WM_SETFOCUS:
            return Repaint(window);
        case BM_CLICK:
            return enabled ? InputResult::Click : InputResult::Handled;
    }
    return InputResult::Unhandled;
}
