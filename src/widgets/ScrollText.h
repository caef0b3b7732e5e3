// Scrolling text: the window text moves right to left by 2 pixels every 50 ms and wraps around,
// paced by a thread of its own that only invalidates the control; the thread ends with the window.
#pragma once

#include <windows.h>

// Private messages of the scrolling text class.
inline constexpr UINT STM_SETCOLORS = WM_USER + 1;  // wParam: background, lParam: text colour
inline constexpr UINT STM_GETOFFSET = WM_USER + 2;  // returns how far the text has moved, in pixels
inline constexpr UINT STM_ISRUNNING = WM_USER + 3;  // returns TRUE while the pacing thread runs

inline constexpr int kScrollStepPixels = 2;
inline constexpr int kScrollIntervalMs = 50;

inline void SetScrollTextColors(HWND strip, COLORREF back, COLORREF text) {
    SendMessageA(strip, STM_SETCOLORS, back, static_cast<LPARAM>(text));
}

// From 0 up to the width of the strip plus the width of the text, then again from 0.
inline int ScrollTextOffset(HWND strip) {
    return static_cast<int>(SendMessageA(strip, STM_GETOFFSET, 0, 0));
}

inline bool ScrollTextIsRunning(HWND strip) {
    return SendMessageA(strip, STM_ISRUNNING, 0, 0) != FALSE;
}
