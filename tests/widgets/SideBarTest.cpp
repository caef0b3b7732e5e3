// Side bar: item clicks by mouse and from code, the hot item, collapsing and item hints.
#include <gtest/gtest.h>

#include "WidgetHost.h"
#include "Hints.h"
#include "SideBar.h"
#include "WidgetClasses.h"

namespace {

constexpr int kBarId = 11;
constexpr RECT kPlace{3, 10, 143, 148};
const char* const kCaptions[] = {"HKLM Run", "HKLM RunOnce", "HKCU Run", "HKU RunOnce", "Startup"};

HWND LocationBar(WidgetHost& host) {
    HWND bar = host.Create(kSideBarClass, "Location", kPlace, kBarId);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(SideBarAddItem(bar, kCaptions[i], i == 4 ? "" : kCaptions[i]), i);
    return bar;
}

int ClientHeight(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return client.bottom;
}

TEST(SideBarTest, ClickOnAnItemReportsItsIndex) {
    WidgetHost host;
    HWND bar = LocationBar(host);
    EXPECT_EQ(SideBarClickedItem(bar), -1);
    ClickAt(bar, CentreOf(SideBarItemRect(bar, 3)));
    ASSERT_EQ(host.notifications().size(), 1u);
    EXPECT_EQ(host.notifications()[0].id, kBarId);
    EXPECT_EQ(host.notifications()[0].code, SBN_ITEMCLICK);
    EXPECT_EQ(host.notifications()[0].control, bar);
    EXPECT_EQ(SideBarClickedItem(bar), 3);

    PressAt(bar, CentreOf(SideBarItemRect(bar, 1)));  // pressed on one item, released on another
    ReleaseAt(bar, CentreOf(SideBarItemRect(bar, 2)));
    ClickAt(bar, POINT{20, 5});  // the header
    EXPECT_EQ(host.notifications().size(), 1u);
    EXPECT_EQ(SideBarClickedItem(bar), 3);

    SideBarClickItem(bar, 0);
    SideBarClickItem(bar, 5);
    SideBarClickItem(bar, -1);
    ASSERT_EQ(host.notifications().size(), 2u);
    EXPECT_EQ(SideBarClickedItem(bar), 0);

    HWND users = host.Create(kSideBarClass, "Users", RECT{3, 300, 143, 335}, 12);
    ClickAt(users, POINT{20, 5});
    ClickAt(users, POINT{20, 30});
    EXPECT_EQ(host.notifications().size(), 2u);
}

TEST(SideBarTest, HotItemFollowsTheMouse) {
    WidgetHost host;
    HWND bar = LocationBar(host);
    EXPECT_EQ(SideBarHotItem(bar), -1);
    SendMessageA(bar, WM_MOUSEMOVE, 0, PointParam(CentreOf(SideBarItemRect(bar, 2))));
    EXPECT_EQ(SideBarHotItem(bar), 2);
    SendMessageA(bar, WM_MOUSEMOVE, 0, PointParam(POINT{20, 5}));
    EXPECT_EQ(SideBarHotItem(bar), -1);
    SendMessageA(bar, WM_MOUSEMOVE, 0, PointParam(CentreOf(SideBarItemRect(bar, 0))));
    EXPECT_EQ(SideBarHotItem(bar), 0);
    SendMessageA(bar, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(SideBarHotItem(bar), -1);
}

TEST(SideBarTest, CollapseButtonShowsOnlyTheHeaderAndBringsTheItemsBack) {
    WidgetHost host;
    HWND bar = LocationBar(host);
    const RECT noButton = SideBarItemRect(bar, -1);
    EXPECT_TRUE(IsRectEmpty(&noButton));
    SideBarSetCollapsible(bar, true);
    const RECT button = SideBarItemRect(bar, -1);
    ASSERT_FALSE(IsRectEmpty(&button));

    const int fullHeight = ClientHeight(bar);
    ClickAt(bar, CentreOf(button));
    EXPECT_TRUE(SideBarIsCollapsed(bar));
    EXPECT_LT(ClientHeight(bar), SideBarItemRect(bar, 0).top);
    ClickAt(bar, CentreOf(button));
    EXPECT_FALSE(SideBarIsCollapsed(bar));
    EXPECT_EQ(ClientHeight(bar), fullHeight);
    EXPECT_TRUE(host.notifications().empty());

    SideBarSetCollapsed(bar, true);
    SideBarSetCollapsible(bar, false);  // without its button a bar must not stay folded
    EXPECT_FALSE(SideBarIsCollapsed(bar));
    EXPECT_EQ(ClientHeight(bar), fullHeight);
}

TEST(SideBarTest, ItemHintsAreToolsOfTheBarsTooltip) {
    WidgetHost host;
    HWND bar = LocationBar(host);
    HWND tooltip = SideBarTooltip(bar);
    ASSERT_TRUE(IsWindow(tooltip));
    EXPECT_EQ(AreaHintText(tooltip, bar, 1), "HKLM RunOnce");
    EXPECT_EQ(AreaHintText(tooltip, bar, 3), "HKU RunOnce");
    EXPECT_EQ(AreaHintText(tooltip, bar, 4), "");
    DestroyWindow(bar);
    EXPECT_FALSE(IsWindow(tooltip));
}

}  // namespace
