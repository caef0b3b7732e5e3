// Link label: blue text on the parent's background with a hand cursor, bold and underlined while the
// mouse is over it. Any mouse button pressed on it sends LLN_MOUSEDOWN to the parent at once.
#pragma once

#include <windows.h>

// WM_COMMAND notification code: a mouse button went down on the label.
inline constexpr WORD LLN_MOUSEDOWN = 0x0A01;

// Private messages of the link label class.
inline constexpr UINT LLM_ISHOT = WM_USER + 1;     // returns TRUE while the mouse is over the label
inline constexpr UINT LLM_SETCOLOR = WM_USER + 2;  // wParam: text colour

inline bool LinkLabelIsHot(HWND label) {
    return SendMessageA(label, LLM_ISHOT, 0, 0) != FALSE;
}

inline void SetLinkLabelColor(HWND label, COLORREF text) {
    SendMessageA(label, LLM_SETCOLOR, text, 0);
}
