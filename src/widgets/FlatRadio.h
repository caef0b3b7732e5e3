// Flat radio button: a click (mouse, Space or BM_CLICK) marks it, unmarks the other flat radio buttons of
// the same parent, then sends BN_CLICKED. BM_SETCHECK changes this button only and sends nothing.
#pragma once

#include <windows.h>

#include "ToggleMessages.h"

// kTransparentColor as the background shows the parent's background (the default, with black text).
inline void SetFlatRadioColors(HWND radio, COLORREF back, COLORREF text) {
    SendMessageA(radio, TGM_SETCOLORS, back, static_cast<LPARAM>(text));
}
