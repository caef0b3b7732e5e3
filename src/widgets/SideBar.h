// Side bar: a header in the accent colour (caption = window text), optionally a collapse button in it,
// and a list of clickable items with hints. A click on item i sends SBN_ITEMCLICK to the parent.
#pragma once

#include <windows.h>

#include <string>

// WM_COMMAND notification code: an item was clicked; SideBarClickedItem tells which.
inline constexpr WORD SBN_ITEMCLICK = 0x0A11;

// Private messages of the side bar class.
inline constexpr UINT SBM_ADDITEM = WM_USER + 1;         // lParam: const SideBarItemText*; returns the index
inline constexpr UINT SBM_SETCOLLAPSIBLE = WM_USER + 2;  // wParam: TRUE shows the collapse button
inline constexpr UINT SBM_GETCLICKEDITEM = WM_USER + 3;  // returns the last clicked item, or -1
inline constexpr UINT SBM_CLICKITEM = WM_USER + 4;       // wParam: index; clicks it as the mouse would
inline constexpr UINT SBM_GETHOTITEM = WM_USER + 5;      // returns the item under the mouse, or -1
inline constexpr UINT SBM_SETCOLLAPSED = WM_USER + 6;    // wParam: TRUE shows only the header
inline constexpr UINT SBM_ISCOLLAPSED = WM_USER + 7;     // returns TRUE when only the header shows
inline constexpr UINT SBM_GETITEMRECT = WM_USER + 8;     // wParam: index (-1: collapse button), lParam: RECT*
inline constexpr UINT SBM_GETTOOLTIP = WM_USER + 9;      // the hints' tooltip; none before a hint

struct SideBarItemText {
    const char* caption;
    const char* hint;
};

inline int SideBarAddItem(HWND bar, const std::string& caption, const std::string& hint) {
    const SideBarItemText item{caption.c_str(), hint.c_str()};
    return static_cast<int>(SendMessageA(bar, SBM_ADDITEM, 0, reinterpret_cast<LPARAM>(&item)));
}

inline void SideBarSetCollapsible(HWND bar, bool collapsible) {
    SendMessageA(bar, SBM_SETCOLLAPSIBLE, collapsible, 0);
}

inline int SideBarClickedItem(HWND bar) {
    return static_cast<int>(SendMessageA(bar, SBM_GETCLICKEDITEM, 0, 0));
}

// Does what a click on item i does, SBN_ITEMCLICK included; an index out of range does nothing.
inline void SideBarClickItem(HWND bar, int i) {
    SendMessageA(bar, SBM_CLICKITEM, static_cast<WPARAM>(i), 0);
}

inline int SideBarHotItem(HWND bar) {
    return static_cast<int>(SendMessageA(bar, SBM_GETHOTITEM, 0, 0));
}

inline void SideBarSetCollapsed(HWND bar, bool collapsed) {
    SendMessageA(bar, SBM_SETCOLLAPSED, collapsed, 0);
}

inline bool SideBarIsCollapsed(HWND bar) {
    return SendMessageA(bar, SBM_ISCOLLAPSED, 0, 0) != FALSE;
}

// The client rectangle of item i, or of the collapse button for -1 (empty when there is none).
inline RECT SideBarItemRect(HWND bar, int i) {
    RECT rect{};
    SendMessageA(bar, SBM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rect));
    return rect;
}

inline HWND SideBarTooltip(HWND bar) {
    return reinterpret_cast<HWND>(SendMessageA(bar, SBM_GETTOOLTIP, 0, 0));
}
