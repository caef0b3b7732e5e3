// The side bar's state and geometry, shared by its message handling and its painting.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Dpi.h"
#include "GdiGuards.h"
#include "WidgetWindow.h"

inline constexpr int kSideBarHeaderHeight = 25;  // at 96 DPI, as every length here
// Targets of the mouse besides item indexes.
inline constexpr int kNoTarget = -1;
inline constexpr int kButtonTarget = -2;

struct SideBarItem {
    std::string caption;
    std::string hint;
};

struct SideBarState {
    std::vector<SideBarItem> items;
    int hot = kNoTarget;      // the item or button under the mouse
    int pressed = kNoTarget;  // the item or button the left button went down on
    int clicked = -1;
    bool tracking = false;
    bool collapsible = false;
    bool collapsed = false;
    int expandedHeight = 0;
    HFONT font = nullptr;
    UniqueFont headerFont;
    UniqueFont hotItemFont;
    UniqueWindow tooltip;
};

RECT SideBarButtonRect(int width, const SideBarState& state, Dpi dpi);
RECT SideBarItemArea(int width, int index, Dpi dpi);
// The item index, kButtonTarget or kNoTarget at a client point.
int SideBarTargetAt(HWND window, const SideBarState& state, POINT point);
void PaintSideBar(HWND window, const SideBarState& state);
