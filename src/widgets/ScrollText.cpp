// Scrolling text: draws the window text at the position the pacing thread's step count gives.
#include "ScrollText.h"

#include "Dpi.h"
#include "ScrollTicker.h"
#include "WidgetColors.h"
#include "WidgetPaint.h"
#include "WidgetProcs.h"
#include "WidgetWindow.h"

namespace {

struct ScrollTextState {
    COLORREF back = kAccentColor;
    COLORREF text = kWhiteColor;
    HFONT font = nullptr;
    int textWidth = 0;
    ScrollTicker ticker;
};

void MeasureText(HWND window, ScrollTextState& state) {
    const std::string text = WindowText(window);
    WindowDc dc(window);
    SelectGuard font(dc.get(), FontOrDefault(state.font));
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    state.textWidth = size.cx;
}

// One lap: the text starts at the left edge, leaves on the left, comes back in from the right.
int LapLength(HWND window, const ScrollTextState& state) {
    RECT client;
    GetClientRect(window, &client);
    return client.right + state.textWidth;
}

int Offset(HWND window, const ScrollTextState& state) {
    const int lap = LapLength(window, state);
    return lap > 0
               ? static_cast<int>(state.ticker.Steps() * Dpi::OfWindow(window).Scale(kScrollStepPixels) % lap)
               : 0;
}

void Paint(HWND window, const ScrollTextState& state) {
    BufferedPaint paint(window);
    HDC dc = paint.dc();
    FillSolid(dc, paint.client(), state.back);
    const std::string text = WindowText(window);
    const int lap = LapLength(window, state);
    const int left =
        lap > 0 ? paint.client().right - (Offset(window, state) + paint.client().right) % lap : 0;
    SelectGuard font(dc, FontOrDefault(state.font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, state.text);
    RECT textRect{left, 0, left + state.textWidth + 1, paint.client().bottom};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT HandleScrollText(HWND window, ScrollTextState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            MeasureText(window, state);
            return state.ticker.Start(window, kScrollIntervalMs) ? 0 : -1;
        case WM_DESTROY:
            state.ticker.Stop();
            return 0;
        case WM_PAINT:
            Paint(window, state);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETFONT:
            state.font = reinterpret_cast<HFONT>(wParam);
            MeasureText(window, state);
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state.font);
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
            MeasureText(window, state);
            return result;
        }
        case STM_SETCOLORS:
            state.back = static_cast<COLORREF>(wParam);
            state.text = static_cast<COLORREF>(lParam);
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case STM_GETOFFSET:
            return Offset(window, state);
        case STM_ISRUNNING:
            return state.ticker.Running();
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK ScrollTextProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WidgetProc<ScrollTextState, HandleScrollText>(window, message, wParam, lParam);
}
