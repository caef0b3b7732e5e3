// Colour label: a filled rectangle with optional single-line text; also a thin coloured bar or rule.
#pragma once

#include <windows.h>

// Private messages of the colour label class.
inline constexpr UINT CLM_SETCOLORS = WM_USER + 1;     // wParam: background, lParam: text colour
inline constexpr UINT CLM_SETALIGNMENT = WM_USER + 2;  // wParam: DT_LEFT, DT_CENTER or DT_RIGHT
inline constexpr UINT CLM_GETBACKCOLOR = WM_USER + 3;  // returns the background colour
inline constexpr UINT CLM_GETTEXTCOLOR = WM_USER + 4;  // returns the text colour

inline void SetColorLabelColors(HWND label, COLORREF back, COLORREF text) {
    SendMessageA(label, CLM_SETCOLORS, back, static_cast<LPARAM>(text));
}

// The label does not own the font; the window that passes it keeps it alive.
inline void SetColorLabelStyle(HWND label, COLORREF back, COLORREF text, HFONT font, DWORD alignFlags) {
    SendMessageA(label, CLM_SETCOLORS, back, static_cast<LPARAM>(text));
    SendMessageA(label, CLM_SETALIGNMENT, alignFlags, 0);
    SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

inline COLORREF ColorLabelBackColor(HWND label) {
    return static_cast<COLORREF>(SendMessageA(label, CLM_GETBACKCOLOR, 0, 0));
}

inline COLORREF ColorLabelTextColor(HWND label) {
    return static_cast<COLORREF>(SendMessageA(label, CLM_GETTEXTCOLOR, 0, 0));
}
