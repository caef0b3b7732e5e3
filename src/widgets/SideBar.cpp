// Side bar: mouse tracking over items and the collapse button, clicks, collapsing and item hints.
#include "SideBar.h"

#include "Hints.h"
#include "SideBarState.h"
#include "WidgetPaint.h"
#include "WidgetProcs.h"
#include "WidgetWindow.h"

namespace {

int ClientWidth(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return client.right;
}

POINT PointOf(LPARAM lParam) {
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

void MakeFonts(SideBarState& state, HFONT font) {
    state.font = font;
    state.headerFont = DeriveFont(font, FW_BOLD, false);
    state.hotItemFont = DeriveFont(font, FW_NORMAL, true);
}

int AddItem(HWND window, SideBarState& state, const SideBarItemText* text) {
    if (!text || !text->caption)
        return -1;
    state.items.push_back({text->caption, text->hint ? text->hint : ""});
    const int index = static_cast<int>(state.items.size()) - 1;
    if (!state.items.back().hint.empty()) {
        if (!state.tooltip.get())  // made with the first hint: a bar without hints needs no tooltip
            state.tooltip.reset(CreateHints(window));
        AddAreaHint(state.tooltip.get(), window, index,
                    SideBarItemArea(ClientWidth(window), index, Dpi::OfWindow(window)),
                    state.items.back().hint);
    }
    InvalidateRect(window, nullptr, FALSE);
    return index;
}

void ClickItem(HWND window, SideBarState& state, int index) {
    if (index < 0 || index >= static_cast<int>(state.items.size()))
        return;
    state.clicked = index;
    NotifyParent(window, SBN_ITEMCLICK);
}

// Collapsed, the window shrinks to its header; the height it had before comes back on expanding.
void SetCollapsed(HWND window, SideBarState& state, bool collapsed) {
    if (state.collapsed == collapsed)
        return;
    state.collapsed = collapsed;
    const int height = collapsed ? Dpi::OfWindow(window).Scale(kSideBarHeaderHeight) : state.expandedHeight;
    SetWindowPos(window, nullptr, 0, 0, ClientWidth(window), height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, FALSE);
}

void Resized(HWND window, SideBarState& state, int height) {
    const int headerHeight = Dpi::OfWindow(window).Scale(kSideBarHeaderHeight);
    if (!state.collapsed) {
        state.expandedHeight = height;
    } else if (height != headerHeight) {
        // Sized by its window while collapsed (a new display scale): that is the expanded size now.
        state.expandedHeight = height;
        SetWindowPos(window, nullptr, 0, 0, ClientWidth(window), headerHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    for (int i = 0; i < static_cast<int>(state.items.size()); ++i) {
        if (!state.items[i].hint.empty())
            AddAreaHint(state.tooltip.get(), window, i,
                        SideBarItemArea(ClientWidth(window), i, Dpi::OfWindow(window)), state.items[i].hint);
    }
}

void SetHot(HWND window, SideBarState& state, int target) {
    if (state.hot == target)
        return;
    state.hot = target;
    InvalidateRect(window, nullptr, FALSE);
}

void MouseMove(HWND window, SideBarState& state, LPARAM lParam) {
    if (!state.tracking)
        TrackMouseLeave(window);
    state.tracking = true;
    SetHot(window, state, SideBarTargetAt(window, state, PointOf(lParam)));
}

void MouseUp(HWND window, SideBarState& state, LPARAM lParam) {
    const int pressed = state.pressed;
    state.pressed = kNoTarget;
    if (GetCapture() == window)
        ReleaseCapture();
    if (pressed == kNoTarget || SideBarTargetAt(window, state, PointOf(lParam)) != pressed)
        return;
    if (pressed == kButtonTarget)
        SetCollapsed(window, state, !state.collapsed);
    else
        ClickItem(window, state, pressed);
}

bool SetHandCursor(HWND window, const SideBarState& state) {
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(window, &cursor);
    if (SideBarTargetAt(window, state, cursor) == kNoTarget)
        return false;
    SetCursor(LoadCursorA(nullptr, IDC_HAND));
    return true;
}

LRESULT HandleSideBarQuery(HWND window, SideBarState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case SBM_GETCLICKEDITEM:
            return state.clicked;
        case SBM_GETHOTITEM:
            return state.hot >= 0 ? state.hot : -1;
        case SBM_ISCOLLAPSED:
            return state.collapsed;
        case SBM_GETTOOLTIP:
            return reinterpret_cast<LRESULT>(state.tooltip.get());
        case SBM_GETITEMRECT: {
            if (!lParam)
                return FALSE;
            const int index = static_cast<int>(wParam);
            const bool item = index >= 0 && index < static_cast<int>(state.items.size());
            *reinterpret_cast<RECT*>(lParam) =
                item ? SideBarItemArea(ClientWidth(window), index, Dpi::OfWindow(window))
                     : SideBarButtonRect(ClientWidth(window), state, Dpi::OfWindow(window));
            return item || index == -1;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT HandleSideBar(HWND window, SideBarState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            MakeFonts(state, nullptr);
            return 0;
        case WM_DESTROY:
            state.tooltip.reset();
            return 0;
        case WM_SIZE:
            Resized(window, state, HIWORD(lParam));
            return 0;
        case WM_PAINT:
            PaintSideBar(window, state);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEMOVE:
            MouseMove(window, state, lParam);
            return 0;
        case WM_MOUSELEAVE:
            state.tracking = false;
            SetHot(window, state, kNoTarget);
            return 0;
        case WM_LBUTTONDOWN:
            state.pressed = SideBarTargetAt(window, state, PointOf(lParam));
            if (state.pressed != kNoTarget)
                SetCapture(window);
            return 0;
        case WM_LBUTTONUP:
            MouseUp(window, state, lParam);
            return 0;
        case WM_CAPTURECHANGED:
            state.pressed = kNoTarget;
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && SetHandCursor(window, state))
                return TRUE;
            break;
        case WM_SETFONT:
            MakeFonts(state, reinterpret_cast<HFONT>(wParam));
            if (LOWORD(lParam))
                InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state.font);
        case WM_SETTEXT:
            InvalidateRect(window, nullptr, FALSE);
            break;
        case SBM_ADDITEM:
            return AddItem(window, state, reinterpret_cast<const SideBarItemText*>(lParam));
        case SBM_SETCOLLAPSIBLE:
            state.collapsible = wParam != FALSE;
            if (!state.collapsible)
                SetCollapsed(window, state, false);
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case SBM_CLICKITEM:
            ClickItem(window, state, static_cast<int>(wParam));
            return 0;
        case SBM_SETCOLLAPSED:
            SetCollapsed(window, state, wParam != FALSE);
            return 0;
    }
    return HandleSideBarQuery(window, state, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK SideBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WidgetProc<SideBarState, HandleSideBar>(window, message, wParam, lParam);
}
