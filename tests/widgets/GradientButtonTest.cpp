// Gradient button: what counts as a click, what does not, and the look it shows.
#include <gtest/gtest.h>

#include "WidgetHost.h"
#include "GradientButton.h"
#include "SwitchCheckBox.h"
#include "WidgetClasses.h"

namespace {

constexpr int kButtonId = 7;
constexpr RECT kPlace{10, 10, 99, 29};
constexpr POINT kInside{40, 9};
constexpr POINT kOutside{120, 9};

int Brightness(COLORREF color) {
    return GetRValue(color) + GetGValue(color) + GetBValue(color);
}

TEST(GradientButtonTest, MouseSpaceEnterAndBmClickEachNotifyTheParentOnce) {
    WidgetHost host;
    HWND button = host.Create(kGradientButtonClass, "&Add", kPlace, kButtonId);
    ClickAt(button, kInside);
    ASSERT_EQ(host.notifications().size(), 1u);
    SendMessageA(button, BM_CLICK, 0, 0);
    PressKey(button, VK_SPACE);
    PressKey(button, VK_RETURN);
    SendMessageA(button, WM_KEYDOWN, VK_RETURN, 0x40000001);  // auto-repeat of a held Enter

    ASSERT_EQ(host.notifications().size(), 4u);
    for (const Notification& notification : host.notifications()) {
        EXPECT_EQ(notification.id, kButtonId);
        EXPECT_EQ(notification.code, BN_CLICKED);
        EXPECT_EQ(notification.control, button);
    }
}

TEST(GradientButtonTest, ReleaseOutsideOrAnyInputWhileDisabledDoesNotClick) {
    WidgetHost host;
    HWND button = host.Create(kGradientButtonClass, "&Add", kPlace, kButtonId);
    PressAt(button, kInside);
    ReleaseAt(button, kOutside);
    EXPECT_TRUE(host.notifications().empty());

    EnableWindow(button, FALSE);
    EXPECT_EQ(GradientButtonLook(button), ButtonLook::Disabled);
    ClickAt(button, kInside);
    SendMessageA(button, BM_CLICK, 0, 0);
    PressKey(button, VK_SPACE);
    PressKey(button, VK_RETURN);
    EXPECT_TRUE(host.notifications().empty());

    PressAt(button, kInside);  // disabled while held: the release must not click either
    EnableWindow(button, TRUE);
    PressAt(button, kInside);
    EnableWindow(button, FALSE);
    ReleaseAt(button, kInside);
    EXPECT_TRUE(host.notifications().empty());
}

TEST(GradientButtonTest, LookFollowsHoverAndPress) {
    WidgetHost host;
    HWND button = host.Create(kGradientButtonClass, "&Add", kPlace, kButtonId);
    EXPECT_EQ(GradientButtonLook(button), ButtonLook::Normal);
    SendMessageA(button, WM_MOUSEMOVE, 0, PointParam(kInside));
    EXPECT_EQ(GradientButtonLook(button), ButtonLook::Hot);
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(kInside));
    EXPECT_EQ(GradientButtonLook(button), ButtonLook::Pressed);
    SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, PointParam(kOutside));
    EXPECT_EQ(GradientButtonLook(button), ButtonLook::Normal);
    SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, PointParam(kInside));
    EXPECT_EQ(GradientButtonLook(button), ButtonLook::Pressed);
    SendMessageA(button, WM_LBUTTONUP, 0, PointParam(kInside));
    EXPECT_EQ(GradientButtonLook(button), ButtonLook::Hot);
    EXPECT_EQ(host.notifications().size(), 1u);
    SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(GradientButtonLook(button), ButtonLook::Normal);
    SendMessageA(button, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(GradientButtonLook(button), ButtonLook::Pressed);
    SendMessageA(button, WM_KILLFOCUS, 0, 0);  // focus lost while Space is held: no click, no press
    SendMessageA(button, WM_KEYUP, VK_SPACE, 0xC0000001);
    EXPECT_EQ(GradientButtonLook(button), ButtonLook::Normal);
    EXPECT_EQ(host.notifications().size(), 1u);
}

// The windows run modal loops through IsDialogMessageA, which would turn Enter into IDOK for the window.
TEST(GradientButtonTest, EnterOnAFocusedButtonClicksItUnderTheDialogManager) {
    WidgetHost host;
    HWND button = host.Create(kGradientButtonClass, "&Write Values", kPlace, kButtonId);
    SetFocus(button);
    ASSERT_EQ(GetFocus(), button);
    MSG enter{button, WM_KEYDOWN, VK_RETURN, 0x001C0001, GetTickCount(), {}};
    EXPECT_TRUE(IsDialogMessageA(host.window(), &enter));
    PumpMessages(50);
    ASSERT_EQ(host.notifications().size(), 1u);
    EXPECT_EQ(host.notifications()[0].id, kButtonId);
    EXPECT_EQ(host.notifications()[0].control, button);
}

// Alt+letter reaches the control whose caption marks that letter, wherever the focus is.
TEST(GradientButtonTest, MnemonicsClickUnderTheDialogManager) {
    WidgetHost host;
    HWND button = host.Create(kGradientButtonClass, "&Get Values", kPlace, kButtonId);
    HWND box = host.Create(kSwitchCheckBoxClass, "&Check All", RECT{10, 40, 99, 57}, 9);
    SetFocus(box);
    MSG altG{box, WM_SYSCHAR, 'g', 0x20000001, GetTickCount(), {}};
    EXPECT_TRUE(IsDialogMessageA(host.window(), &altG));
    MSG altC{box, WM_SYSCHAR, 'c', 0x20000001, GetTickCount(), {}};
    EXPECT_TRUE(IsDialogMessageA(host.window(), &altC));
    PumpMessages(50);
    ASSERT_EQ(host.notifications().size(), 2u);
    EXPECT_EQ(host.notifications()[0].control, button);
    EXPECT_EQ(host.notifications()[1].control, box);
    EXPECT_TRUE(IsToggleChecked(box));
}

TEST(GradientButtonTest, SkySchemeIsLighterAndDisabledIsGrey) {
    WidgetHost host;
    host.Create(kGradientButtonClass, "", kPlace, 1);
    HWND sky = host.Create(kGradientButtonClass, "", RECT{110, 10, 199, 29}, 2);
    HWND disabled = host.Create(kGradientButtonClass, "", RECT{210, 10, 299, 29}, 3);
    SetGradientButtonScheme(sky, GradientScheme::Sky);
    EnableWindow(disabled, FALSE);
    UpdateWindow(host.window());
    PumpMessages(50);

    HDC dc = GetDC(host.window());
    const COLORREF bluePixel = GetPixel(dc, kPlace.left + 20, kPlace.bottom - 3);
    const COLORREF skyPixel = GetPixel(dc, 130, kPlace.bottom - 3);
    const COLORREF greyPixel = GetPixel(dc, 230, kPlace.bottom - 3);
    ReleaseDC(host.window(), dc);
    EXPECT_GT(GetBValue(bluePixel), GetRValue(bluePixel) + 100);  // the accent blue dominates near the bottom
    EXPECT_GT(Brightness(skyPixel), Brightness(bluePixel) + 150);
    EXPECT_EQ(GetRValue(greyPixel), GetBValue(greyPixel));
    EXPECT_EQ(GetRValue(greyPixel), GetGValue(greyPixel));
}

}  // namespace
