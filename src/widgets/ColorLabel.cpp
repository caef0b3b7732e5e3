// Colour label: paints its colour and text; transparent to the mouse so the window under it drags.
#include "ColorLabel.h"

#include "Dpi.h"
#include "FallbackText.h"
#include "WidgetColors.h"
#include "WidgetPaint.h"
#include "WidgetProcs.h"
#include "WidgetWindow.h"

namespace {

constexpr int kTextMargin = 3;  // at 96 DPI

struct ColorLabelState {
    COLORREF back = kAccentColor;
    COLORREF text = kWhiteColor;
    UINT alignment = DT_LEFT;
    HFONT font = nullptr;
};

void Paint(HWND window, const ColorLabelState& state) {
    BufferedPaint paint(window);
    HDC dc = paint.dc();
    FillSolid(dc, paint.client(), state.back);
    const std::string text = WindowText(window);
    if (text.empty())
        return;
    // The margin on the side the text is aligned to; a centred text keeps one on both.
    RECT textRect = paint.client();
    const int margin = Dpi::OfWindow(window).Scale(kTextMargin);
    if (state.alignment != DT_RIGHT)
        textRect.left += margin;
    if (state.alignment != DT_LEFT)
        textRect.right -= margin;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, state.text);
    DrawFallbackText(dc, FontOrDefault(state.font), text, textRect,
                     state.alignment | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

UINT Alignment(WPARAM flags) {
    if (flags & DT_RIGHT)
        return DT_RIGHT;
    if (flags & DT_CENTER)
        return DT_CENTER;
    return DT_LEFT;
}

LRESULT HandleColorLabel(HWND window, ColorLabelState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT answer = 0; AnswerFontAndText(window, state.font, message, wParam, lParam, answer))
        return answer;
    switch (message) {
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_PAINT:
            Paint(window, state);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case CLM_SETCOLORS:
            state.back = static_cast<COLORREF>(wParam);
            state.text = static_cast<COLORREF>(lParam);
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case CLM_SETALIGNMENT:
            state.alignment = Alignment(wParam);
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case CLM_GETBACKCOLOR:
            return static_cast<LRESULT>(state.back);
        case CLM_GETTEXTCOLOR:
            return static_cast<LRESULT>(state.text);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK ColorLabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WidgetProc<ColorLabelState, HandleColorLabel>(window, message, wParam, lParam);
}
