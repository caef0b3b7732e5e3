// Bevel frame: a hollow two-tone border (outer accent, inner light) drawn around its rectangle.
#pragma once

#include <windows.h>

// Private messages of the bevel frame class.
inline constexpr UINT BFM_SETCOLORS = WM_USER + 1;  // wParam: outer colour, lParam: inner colour

// The default look is the accent blue outside and a light blue inside.
inline void SetBevelFrameColors(HWND frame, COLORREF outer, COLORREF inner) {
    SendMessageA(frame, BFM_SETCOLORS, outer, static_cast<LPARAM>(inner));
}
