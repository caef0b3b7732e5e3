// Switch check box and flat radio button: marks from code stay silent, user clicks mark before notifying.
#include <gtest/gtest.h>

#include "WidgetHost.h"
#include "FlatRadio.h"
#include "SwitchCheckBox.h"
#include "WidgetClasses.h"
#include "WidgetColors.h"

namespace {

constexpr POINT kOnCaption{60, 8};

COLORREF PixelOf(HWND control, POINT point) {
    UpdateWindow(control);
    HDC dc = GetDC(control);
    const COLORREF color = GetPixel(dc, point.x, point.y);
    ReleaseDC(control, dc);
    return color;
}

TEST(SwitchCheckBoxTest, CodeMarksSilentlyAndEveryUserClickTogglesBeforeNotifying) {
    WidgetHost host;
    HWND box = host.Create(kSwitchCheckBoxClass, "Enable Task Manager", RECT{16, 176, 177, 193}, 21);
    SetToggleChecked(box, true);
    EXPECT_TRUE(IsToggleChecked(box));
    SetToggleChecked(box, false);
    EXPECT_FALSE(IsToggleChecked(box));
    EXPECT_TRUE(host.notifications().empty());

    ClickAt(box, kOnCaption);
    PressKey(box, VK_SPACE);
    SendMessageA(box, BM_CLICK, 0, 0);
    PressKey(box, VK_RETURN);  // Enter belongs to the window's default action, not to a check box

    ASSERT_EQ(host.notifications().size(), 3u);
    const bool expected[] = {true, false, true};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(host.notifications()[i].code, BN_CLICKED);
        EXPECT_EQ(host.notifications()[i].id, 21);
        EXPECT_EQ(host.notifications()[i].checkedWhenSent, expected[i]) << "click " << i;
    }
    EXPECT_TRUE(IsToggleChecked(box));

    EnableWindow(box, FALSE);
    ClickAt(box, kOnCaption);
    SendMessageA(box, BM_CLICK, 0, 0);
    EXPECT_TRUE(IsToggleChecked(box));
    EXPECT_EQ(host.notifications().size(), 3u);
}

TEST(SwitchCheckBoxTest, PaintsTheColoursItIsGiven) {
    WidgetHost host;
    HWND box = host.Create(kSwitchCheckBoxClass, "Enable Regedit", RECT{16, 176, 177, 193}, 22);
    const POINT pastCaption{158, 1};
    SetSwitchColors(box, kAccentColor, kWhiteColor);
    EXPECT_EQ(PixelOf(box, pastCaption), kAccentColor);
    SetSwitchColors(box, kLightColor, kBlackColor);
    EXPECT_EQ(PixelOf(box, pastCaption), kLightColor);
    EXPECT_EQ(SwitchTextColor(box), kBlackColor);
}

TEST(FlatRadioTest, ClickMarksItAndUnmarksOnlyTheFlatRadiosOfTheSameParent) {
    WidgetHost host;
    WidgetHost otherHost(100, 520);
    HWND enabled = host.Create(kFlatRadioClass, "Enabled", RECT{374, 119, 444, 136}, 31);
    HWND disabled = host.Create(kFlatRadioClass, "Disabled", RECT{454, 119, 524, 136}, 32);
    HWND box = host.Create(kSwitchCheckBoxClass, "Check All", RECT{16, 176, 177, 193}, 33);
    HWND elsewhere = otherHost.Create(kFlatRadioClass, "Elsewhere", RECT{10, 10, 90, 27}, 34);
    SetToggleChecked(enabled, true);
    SetToggleChecked(box, true);
    SetToggleChecked(elsewhere, true);

    ClickAt(disabled, POINT{5, 8});
    EXPECT_TRUE(IsToggleChecked(disabled));
    EXPECT_FALSE(IsToggleChecked(enabled));
    EXPECT_TRUE(IsToggleChecked(box));
    EXPECT_TRUE(IsToggleChecked(elsewhere));
    ASSERT_EQ(host.notifications().size(), 1u);
    EXPECT_EQ(host.notifications()[0].control, disabled);
    EXPECT_TRUE(host.notifications()[0].checkedWhenSent);

    SendMessageA(disabled, BM_CLICK, 0, 0);  // clicking the marked one keeps it and still notifies
    EXPECT_TRUE(IsToggleChecked(disabled));
    EXPECT_EQ(host.notifications().size(), 2u);

    SetToggleChecked(enabled, true);  // from code: only this button changes, silently
    EXPECT_TRUE(IsToggleChecked(disabled));
    EXPECT_EQ(host.notifications().size(), 2u);

    PressKey(enabled, VK_SPACE);
    EXPECT_TRUE(IsToggleChecked(enabled));
    EXPECT_FALSE(IsToggleChecked(disabled));
    EXPECT_EQ(host.notifications().size(), 3u);
}

}  // namespace
