// Switch check box: a square box with a tick; a click toggles the mark.
#include "widgets/SwitchCheckBox.h"

#include "widgets/ToggleControl.h"
#include "widgets/WidgetPaint.h"
#include "widgets/WidgetProcs.h"
#include "widgets/WidgetWindow.h"

namespace {

constexpr COLORREF kBoxBorder = RGB(0, 60, 125);

void DrawBox(HDC dc, const RECT& box, const ToggleState& state, bool enabled) {
    const COLORREF fill = !enabled ? RGB(230, 230, 230) : state.input.Pressed() ? kLightColor : kWhiteColor;
    FillSolid(dc, box, fill);
    FrameSolid(dc, box, enabled ? kBoxBorder : RGB(160, 160, 160));
    if (!state.checked)
        return;
    const COLORREF tick = enabled ? kAccentColor : RGB(128, 128, 128);
    const POINT corner{box.left + 3, box.top + 6};
    const POINT bottom{box.left + 5, box.top + 9};
    const POINT end{box.left + 10, box.top + 3};
    DrawLine(dc, corner, bottom, tick, 2);
    DrawLine(dc, bottom, end, tick, 2);
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
