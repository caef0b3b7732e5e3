// Switch check box: a box and its caption ("&&" shows "&") on a background colour, 17 pixels high.
// A user click, Space or BM_CLICK toggles the mark, then sends BN_CLICKED; BM_SETCHECK sends nothing.
#pragma once

#include <windows.h>

#include "ToggleMessages.h"

// kTransparentColor as the background shows the parent's background (the default, with black text).
inline void SetSwitchColors(HWND box, COLORREF back, COLORREF text) {
    SendMessageA(box, TGM_SETCOLORS, back, static_cast<LPARAM>(text));
}

inline COLORREF SwitchBackColor(HWND box) {
    return static_cast<COLORREF>(SendMessageA(box, TGM_GETBACKCOLOR, 0, 0));
}

inline COLORREF SwitchTextColor(HWND box) {
    return static_cast<COLORREF>(SendMessageA(box, TGM_GETTEXTCOLOR, 0, 0));
}
