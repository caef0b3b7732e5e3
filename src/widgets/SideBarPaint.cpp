// The side bar's geometry and painting: gradient header, collapse button, item list.
#include "SideBarState.h"

#include "WidgetColors.h"
#include "WidgetPaint.h"

namespace {

constexpr int kButtonSize = 17;
constexpr int kItemTop = kSideBarHeaderHeight + 6;
constexpr int kItemHeight = 20;
constexpr int kItemIndent = 4;
constexpr int kTextIndent = 14;
constexpr COLORREF kHeaderEnd = RGB(70, 140, 215);
constexpr COLORREF kBodyColor = RGB(245, 250, 255);
constexpr COLORREF kItemText = RGB(0, 60, 125);

void DrawLabel(HDC dc, const std::string& text, RECT rect, HFONT font, COLORREF color) {
    SelectGuard selected(dc, font);
    SetTextColor(dc, color);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// A round button with a chevron pointing where the bar will go: up to collapse, down to expand.
void DrawButton(HDC dc, const RECT& button, bool hot, bool collapsed, Dpi dpi) {
    UniquePen pen(CreatePen(PS_SOLID, 1, kWhiteColor));
    UniqueBrush fill(CreateSolidBrush(hot ? kHeaderEnd : kAccentColor));
    {
        SelectGuard selectedPen(dc, pen.get());
        SelectGuard selectedBrush(dc, fill.get());
        Ellipse(dc, button.left, button.top, button.right, button.bottom);
    }
    const int middleX = (button.left + button.right) / 2;
    const int middleY = (button.top + button.bottom) / 2;
    const int rise = dpi.Scale(collapsed ? 2 : -2);
    const int half = dpi.Scale(4);
    const int thickness = dpi.Scale(2);
    DrawLine(dc, {middleX - half, middleY - rise}, {middleX, middleY + rise}, kWhiteColor, thickness);
    DrawLine(dc, {middleX, middleY + rise}, {middleX + half, middleY - rise}, kWhiteColor, thickness);
}

void DrawHeader(HWND window, HDC dc, const RECT& client, const SideBarState& state, Dpi dpi) {
    RECT header{0, 0, client.right, dpi.Scale(kSideBarHeaderHeight)};
    FillHorizontalGradient(dc, header, kAccentColor, kHeaderEnd);
    header.left += dpi.Scale(8);
    DrawLabel(dc, WindowText(window), header,
              state.headerFont ? state.headerFont.get() : FontOrDefault(state.font), kWhiteColor);
    if (state.collapsible)
        DrawButton(dc, SideBarButtonRect(client.right, state, dpi), state.hot == kButtonTarget,
                   state.collapsed, dpi);
}

void DrawItem(HDC dc, int width, int index, const SideBarState& state, Dpi dpi) {
    RECT area = SideBarItemArea(width, index, dpi);
    const bool hot = state.hot == index;
    if (hot)
        FillSolid(dc, area, kLightColor);
    const int middle = (area.top + area.bottom) / 2;
    const int bullet = dpi.Scale(2);
    FillSolid(dc, RECT{area.left + dpi.Scale(4), middle - bullet, area.left + dpi.Scale(8), middle + bullet},
              kAccentColor);
    area.left += dpi.Scale(kTextIndent);
    HFONT font = hot && state.hotItemFont ? state.hotItemFont.get() : FontOrDefault(state.font);
    DrawLabel(dc, state.items[index].caption, area, font, hot ? kAccentColor : kItemText);
}

}  // namespace

RECT SideBarButtonRect(int width, const SideBarState& state, Dpi dpi) {
    if (!state.collapsible)
        return RECT{};
    const int top = (kSideBarHeaderHeight - kButtonSize) / 2;
    const int size = dpi.Scale(kButtonSize);
    const int right = width - dpi.Scale(4);
    return RECT{right - size, dpi.Scale(top), right, dpi.Scale(top) + size};
}

RECT SideBarItemArea(int width, int index, Dpi dpi) {
    const int top = kItemTop + index * kItemHeight;
    const int indent = dpi.Scale(kItemIndent);
    return RECT{indent, dpi.Scale(top), width - indent, dpi.Scale(top + kItemHeight)};
}

int SideBarTargetAt(HWND window, const SideBarState& state, POINT point) {
    RECT client;
    GetClientRect(window, &client);
    const Dpi dpi = Dpi::OfWindow(window);
    const RECT button = SideBarButtonRect(client.right, state, dpi);
    if (PtInRect(&button, point))
        return kButtonTarget;
    if (state.collapsed)
        return kNoTarget;
    for (int i = 0; i < static_cast<int>(state.items.size()); ++i) {
        const RECT area = SideBarItemArea(client.right, i, dpi);
        if (PtInRect(&area, point))
            return i;
    }
    return kNoTarget;
}

void PaintSideBar(HWND window, const SideBarState& state) {
    BufferedPaint paint(window);
    HDC dc = paint.dc();
    const RECT& client = paint.client();
    SetBkMode(dc, TRANSPARENT);
    const Dpi dpi = Dpi::OfWindow(window);
    if (client.bottom > dpi.Scale(kSideBarHeaderHeight)) {
        FillSolid(dc, client, kBodyColor);
        FrameSolid(dc, client, kAccentColor);
        for (int i = 0; i < static_cast<int>(state.items.size()); ++i)
            DrawItem(dc, client.right, i, state, dpi);
    }
    DrawHeader(window, dc, client, state, dpi);
}
