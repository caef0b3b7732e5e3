// Messages and painting common to the switch check box and the flat radio button.
#include "ToggleControl.h"
#include "WidgetWindow.h"

#include "Dpi.h"
#include "ToggleMessages.h"
#include "WidgetPaint.h"

namespace {

constexpr int kCaptionGap = 4;  // at 96 DPI

RECT IndicatorRect(const RECT& client, Dpi dpi) {
    const int size = dpi.Scale(kIndicatorSize);
    const int top = (client.bottom - size) / 2;
    return RECT{dpi.Scale(1), top, dpi.Scale(1) + size, top + size};
}

void DrawCaption(HWND window, HDC dc, const RECT& client, const ToggleState& state, bool enabled) {
    const std::string caption = WindowText(window);
    const RECT indicator = IndicatorRect(client, Dpi::OfWindow(window));
    RECT textRect{indicator.right + Dpi::OfWindow(window).Scale(kCaptionGap), client.top, client.right,
                  client.bottom};
    SelectGuard font(dc, FontOrDefault(state.font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, enabled ? state.text : GetSysColor(COLOR_GRAYTEXT));
    const UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect, format);
    if (GetFocus() != window || caption.empty())
        return;
    RECT focus = textRect;
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &focus, format | DT_CALCRECT);
    const int height = focus.bottom - focus.top;
    focus.top = (client.bottom - height) / 2;
    focus.bottom = focus.top + height;
    InflateRect(&focus, 1, 0);
    IntersectRect(&focus, &focus, &client);
    DrawFocusRect(dc, &focus);
}

void Paint(HWND window, const ToggleState& state, const ToggleKind& kind) {
    BufferedPaint paint(window);
    HDC dc = paint.dc();
    const bool enabled = IsWindowEnabled(window) != FALSE;
    PaintBackground(window, dc, paint.client(), state.back);
    kind.drawIndicator(dc, IndicatorRect(paint.client(), Dpi::OfWindow(window)), state, enabled);
    DrawCaption(window, dc, paint.client(), state, enabled);
}

LRESULT SetCheck(HWND window, ToggleState& state, WPARAM check) {
    const bool checked = check == BST_CHECKED;
    if (state.checked != checked)
        InvalidateRect(window, nullptr, FALSE);
    state.checked = checked;
    return 0;
}

LRESULT SetColors(HWND window, ToggleState& state, WPARAM back, LPARAM text) {
    state.back = static_cast<COLORREF>(back);
    state.text = static_cast<COLORREF>(text);
    InvalidateRect(window, nullptr, FALSE);
    return 0;
}

}  // namespace

LRESULT HandleToggle(HWND window,
                     ToggleState& state,
                     UINT message,
                     WPARAM wParam,
                     LPARAM lParam,
                     const ToggleKind& kind) {
    const InputResult input = HandleButtonInput(window, state.input, message, wParam, lParam, false);
    if (input == InputResult::Click) {
        kind.applyClick(window, state);
        InvalidateRect(window, nullptr, FALSE);
        NotifyParent(window, BN_CLICKED);
    }
    if (input != InputResult::Unhandled)
        return 0;
    if (LRESULT answer = 0; AnswerFontAndText(window, state.font, message, wParam, lParam, answer))
        return answer;
    switch (message) {
        case WM_PAINT:
            Paint(window, state, kind);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_GETDLGCODE:
            return kind.dialogCode;
        case BM_GETCHECK:
            return state.checked ? BST_CHECKED : BST_UNCHECKED;
        case BM_SETCHECK:
            return SetCheck(window, state, wParam);
        case TGM_SETCOLORS:
            return SetColors(window, state, wParam, lParam);
        case TGM_GETBACKCOLOR:
            return static_cast<LRESULT>(state.back);
        case TGM_GETTEXTCOLOR:
            return static_cast<LRESULT>(state.text);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
