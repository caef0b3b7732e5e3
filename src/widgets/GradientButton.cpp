// Gradient push button: paints its look from the colour scheme and reports clicks to the parent.
#include "GradientButton.h"

#include <utility>

#include "ButtonInput.h"
#include "Dpi.h"
#include "WidgetColors.h"
#include "WidgetPaint.h"
#include "WidgetProcs.h"
#include "WidgetWindow.h"

namespace {

struct SchemeColors {
    COLORREF border;
    COLORREF top;
    COLORREF bottom;
    COLORREF text;
};

struct GradientButtonState {
    GradientScheme scheme = GradientScheme::Blue;
    HFONT font = nullptr;
    ButtonInput input;
};

COLORREF Blend(COLORREF from, COLORREF to, int percentOfTo) {
    auto mix = [percentOfTo](int a, int b) { return a + (b - a) * percentOfTo / 100; };
    return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
               mix(GetBValue(from), GetBValue(to)));
}

SchemeColors BaseColors(GradientScheme scheme) {
    if (scheme == GradientScheme::Sky)
        return {RGB(90, 150, 215), kWhiteColor, RGB(160, 205, 250), RGB(0, 45, 100)};
    return {RGB(0, 60, 125), kLightColor, kAccentColor, kWhiteColor};
}

ButtonLook LookOf(HWND window, const GradientButtonState& state) {
    if (!IsWindowEnabled(window))
        return ButtonLook::Disabled;
    if (state.input.Pressed())
        return ButtonLook::Pressed;
    if (state.input.hot)
        return ButtonLook::Hot;
    return ButtonLook::Normal;
}

SchemeColors ColorsFor(GradientScheme scheme, ButtonLook look) {
    SchemeColors colors = BaseColors(scheme);
    switch (look) {
        case ButtonLook::Disabled:
            return {RGB(160, 160, 160), RGB(245, 245, 245), RGB(200, 200, 200), RGB(128, 128, 128)};
        case ButtonLook::Pressed:
            std::swap(colors.top, colors.bottom);
            return colors;
        case ButtonLook::Hot:
            colors.top = Blend(colors.top, kWhiteColor, 40);
            colors.bottom = Blend(colors.bottom, kWhiteColor, 25);
            return colors;
        case ButtonLook::Normal:
            break;
    }
    return colors;
}

void DrawCaption(HWND window,
                 HDC dc,
                 RECT rect,
                 const GradientButtonState& state,
                 const SchemeColors& colors,
                 ButtonLook look) {
    const std::string caption = WindowText(window);
    if (look == ButtonLook::Pressed) {
        const int shift = Dpi::OfWindow(window).Scale(1);
        OffsetRect(&rect, shift, shift);
    }
    SelectGuard font(dc, FontOrDefault(state.font));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colors.text);
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void Paint(HWND window, const GradientButtonState& state) {
    BufferedPaint paint(window);
    HDC dc = paint.dc();
    const ButtonLook look = LookOf(window, state);
    const SchemeColors colors = ColorsFor(state.scheme, look);
    RECT rect = paint.client();
    FillVerticalGradient(dc, rect, colors.top, colors.bottom);
    FrameSolid(dc, rect, colors.border);
    DrawCaption(window, dc, rect, state, colors, look);
    if (GetFocus() == window) {
        const int inset = Dpi::OfWindow(window).Scale(3);
        InflateRect(&rect, -inset, -inset);
        SetTextColor(dc, kBlackColor);
        DrawFocusRect(dc, &rect);
    }
}

// Enter is taken from the dialog manager so that a focused button clicks itself.
LRESULT DialogCode(LPARAM lParam) {
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN)
        return DLGC_WANTMESSAGE;
    return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
}

LRESULT HandleGradientButton(HWND window,
                             GradientButtonState& state,
                             UINT message,
                             WPARAM wParam,
                             LPARAM lParam) {
    const InputResult input = HandleButtonInput(window, state.input, message, wParam, lParam, true);
    if (input == InputResult::Click)
        NotifyParent(window, BN_CLICKED);
    if (input != InputResult::Unhandled)
        return 0;
    if (LRESULT answer = 0; AnswerFontAndText(window, state.font, message, wParam, lParam, answer))
        return answer;
    switch (message) {
        case WM_PAINT:
            Paint(window, state);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_GETDLGCODE:
            return DialogCode(lParam);
        case GBM_SETSCHEME:
            state.scheme = static_cast<GradientScheme>(wParam);
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case GBM_GETLOOK:
            return static_cast<LRESULT>(LookOf(window, state));
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK GradientButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WidgetProc<GradientButtonState, HandleGradientButton>(window, message, wParam, lParam);
}
