// Flat radio button: a round mark; a click marks it and unmarks its flat siblings.
#include "FlatRadio.h"

#include <cstring>

#include "ToggleControl.h"
#include "WidgetClasses.h"
#include "WidgetPaint.h"
#include "WidgetProcs.h"
#include "WidgetWindow.h"

namespace {

void DrawCircle(HDC dc, const RECT& box, const ToggleState& state, bool enabled) {
    const COLORREF edge = enabled ? kAccentColor : RGB(160, 160, 160);
    UniquePen pen(CreatePen(PS_SOLID, 1, edge));
    UniqueBrush fill(CreateSolidBrush(!enabled                ? RGB(230, 230, 230)
                                      : state.input.Pressed() ? kLightColor
                                                              : kWhiteColor));
    SelectGuard selectedPen(dc, pen.get());
    SelectGuard selectedBrush(dc, fill.get());
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
    if (!state.checked)
        return;
    UniqueBrush dot(CreateSolidBrush(edge));
    SelectGuard selectedDot(dc, dot.get());
    const int inset = 3 * (box.right - box.left) / 13;  // 3 pixels of the 13-pixel circle
    Ellipse(dc, box.left + inset, box.top + inset, box.right - inset, box.bottom - inset);
}

bool IsFlatRadio(HWND window) {
    char name[64];
    return GetClassNameA(window, name, sizeof name) && std::strcmp(name, kFlatRadioClass) == 0;
}

void MarkAlone(HWND window, ToggleState& state) {
    state.checked = true;
    for (HWND sibling = GetWindow(GetParent(window), GW_CHILD); sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling != window && IsFlatRadio(sibling))
            SetToggleChecked(sibling, false);
    }
}

constexpr ToggleKind kRadioKind{DrawCircle, MarkAlone, DLGC_BUTTON | DLGC_RADIOBUTTON};

LRESULT HandleRadio(HWND window, ToggleState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    return HandleToggle(window, state, message, wParam, lParam, kRadioKind);
}

}  // namespace

LRESULT CALLBACK FlatRadioProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WidgetProc<ToggleState, HandleRadio>(window, message, wParam, lParam);
}
