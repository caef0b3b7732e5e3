// The part the switch check box and the flat radio button share: mark, colours, input and caption.
#pragma once

#include <windows.h>

#include "ButtonInput.h"
#include "WidgetColors.h"

struct ToggleState {
    bool checked = false;
    COLORREF back = kTransparentColor;
    COLORREF text = kBlackColor;
    HFONT font = nullptr;
    ButtonInput input;
};

// What differs between the kinds: the mark's drawing, what a click does to the marks, the dialog code.
struct ToggleKind {
    void (*drawIndicator)(HDC dc, const RECT& box, const ToggleState& state, bool enabled);
    void (*applyClick)(HWND window, ToggleState& state);
    LRESULT dialogCode;
};

inline constexpr int kIndicatorSize = 13;  // at 96 DPI; the indicators draw in proportion to their box

LRESULT HandleToggle(HWND window,
                     ToggleState& state,
                     UINT message,
                     WPARAM wParam,
                     LPARAM lParam,
                     const ToggleKind& kind);
