// Messages the switch check box and the flat radio button answer besides BM_GETCHECK/BM_SETCHECK/BM_CLICK.
#pragma once

#include <windows.h>

inline constexpr UINT TGM_SETCOLORS = WM_USER + 1;     // wParam: background, lParam: text colour
inline constexpr UINT TGM_GETBACKCOLOR = WM_USER + 2;  // returns the background colour
inline constexpr UINT TGM_GETTEXTCOLOR = WM_USER + 3;  // returns the text colour

inline bool IsToggleChecked(HWND toggle) {
    return SendMessageA(toggle, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Sets the mark from code: no BN_CLICKED is sent.
inline void SetToggleChecked(HWND toggle, bool checked) {
    SendMessageA(toggle, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
