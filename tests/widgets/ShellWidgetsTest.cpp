// Hints and the notification-area icon.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "WidgetHost.h"
#include "Hints.h"
#include "TrayIcon.h"
#include "WidgetClasses.h"

namespace {

constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kExitCommand = 101;

TEST(HintsTest, AddHintSetsAndThenReplacesTheHintOfOneControl) {
    WidgetHost host;
    HWND tooltip = CreateHints(host.window());
    HWND close = host.Create(kGradientButtonClass, "Close", RECT{10, 10, 99, 29}, 1);
    HWND other = host.Create(kGradientButtonClass, "About", RECT{10, 40, 99, 59}, 2);
    ASSERT_TRUE(AddHint(tooltip, close, "Close"));
    EXPECT_EQ(HintText(tooltip, close), "Close");
    EXPECT_EQ(HintText(tooltip, other), "");

    const std::string longHint(300, 'h');  // past the 80 characters older tooltip controls assume
    ASSERT_TRUE(AddHint(tooltip, close, longHint));
    EXPECT_EQ(HintText(tooltip, close), longHint);
    EXPECT_EQ(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0), 1);
    DestroyWindow(host.window());
    EXPECT_FALSE(IsWindow(tooltip));
}

TEST(TrayIconTest, LeftClickMinimisesAShownOwnerAndRestoresAHiddenOne) {
    WidgetHost host;
    TrayIcon tray(host.window(), kTrayMessage, LoadIconA(nullptr, IDI_APPLICATION), std::string(200, 'x'));
    EXPECT_EQ(tray.HandleCallback(WM_LBUTTONUP), TrayAction::Minimised);
    EXPECT_TRUE(IsIconic(host.window()));
    EXPECT_FALSE(IsWindowVisible(host.window()));
    EXPECT_EQ(tray.HandleCallback(WM_LBUTTONUP), TrayAction::Restored);
    EXPECT_FALSE(IsIconic(host.window()));
    EXPECT_TRUE(IsWindowVisible(host.window()));
    EXPECT_EQ(tray.HandleCallback(WM_MOUSEMOVE), TrayAction::None);
    EXPECT_EQ(tray.HandleCallback(WM_RBUTTONUP), TrayAction::None);  // no menu yet
}

// While the menu is tracked, a timer of this thread chooses its item with the keyboard.
void CALLBACK ChooseFirstItem(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    INPUT keys[4] = {};
    const WORD codes[] = {VK_DOWN, VK_DOWN, VK_RETURN, VK_RETURN};
    for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = codes[i];
        keys[i].ki.dwFlags = (i % 2) ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, keys, sizeof(INPUT));
}

TEST(TrayIconTest, RightClickShowsTheMenuWhoseCommandGoesToTheOwner) {
    WidgetHost host;
    TrayIcon tray(host.window(), kTrayMessage, LoadIconA(nullptr, IDI_APPLICATION), "Tellurin");
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, kExitCommand, "Exit");
    tray.SetMenu(menu);
    SetTimer(nullptr, 0, 200, ChooseFirstItem);
    EXPECT_EQ(tray.HandleCallback(WM_RBUTTONUP), TrayAction::MenuShown);
    PumpMessages(100);
    DestroyMenu(menu);
    ASSERT_EQ(host.notifications().size(), 1u);
    EXPECT_EQ(host.notifications()[0].id, kExitCommand);
}

}  // namespace
