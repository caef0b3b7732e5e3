// Switch check box: a square box with a tick; a click toggles the mark.
#include "SwitchCheckBox.h"

#include "ToggleControl.h"
#include "WidgetPaint.h"
#include "WidgetProcs.h"
#include "WidgetWindow.h"

namespace {

constexpr COLORREF kBoxBorder = RGB(0, 60, 125);

void DrawBox(HDC dc, const RECT& box, const ToggleState& state, bool enabled) {
    const COLORREF fill = !enabled ? RGB(230, 230, 230) : state.input.Pressed() ? kLightColor : kWhiteColor;
    FillSolid(dc, box, fill);
    FrameSolid(dc, box, enabled ? kBoxBorder : RGB(160, 160, 160));
    if (!state.checked)
        return;
    const COLORREF tick = enabled ? kAccentColor : RGB(128, 128, 128);
    // The tick's points on the 13-pixel box, in proportion at any size.
    const int size = box.right - box.left;
    auto at = [&](int x, int y) { return POINT{box.left + x * size / 13, box.top + y * size / 13}; };
    const int thickness = (2 * size + 6) / 13;
    DrawLine(dc, at(3, 6), at(5, 9), tick, thickness);
    DrawLine(dc, at(5, 9), at(10, 3), tick, thickness);
}

void Toggle(HWND, ToggleState& state) {
    state.checked = !state.checked;
}

constexpr ToggleKind kSwitchKind{DrawBox, Toggle, DLGC_BUTTON};

LRESULT HandleSwitch(HWND window, ToggleState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    return HandleToggle(window, state, message, wParam, lParam, kSwitchKind);
}

}  // namespace

LRESULT CALLBACK SwitchCheckBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WidgetProc<ToggleState, HandleSwitch>(window, message, wParam, lParam);
}
