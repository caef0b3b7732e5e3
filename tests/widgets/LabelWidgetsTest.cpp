// Colour label, bevel frame, link label and scrolling text.
#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <vector>

#include "WidgetHost.h"
#include "BevelFrame.h"
#include "ColorLabel.h"
#include "GdiGuards.h"
#include "LinkLabel.h"
#include "ScrollText.h"
#include "WidgetClasses.h"
#include "WidgetColors.h"

namespace {

POINT ScreenPoint(HWND window, POINT point) {
    ClientToScreen(window, &point);
    return point;
}

int ThreadsOfThisProcess() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++count;
    }
    CloseHandle(snapshot);
    return count;
}

int TextWidth(const char* text) {
    WindowDc screen(nullptr);
    SelectGuard font(screen.get(), GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32A(screen.get(), text, lstrlenA(text), &size);
    return size.cx;
}

TEST(ColorLabelTest, PressesOnLabelsAndTheFrameReachTheWindowBeneath) {
    WidgetHost host;
    host.Create(kColorLabelClass, "System:", RECT{16, 152, 353, 172}, 1);
    HWND button = host.Create("BUTTON", "Close", RECT{400, 300, 489, 319}, 2);
    host.Create(kBevelFrameClass, "", RECT{0, 0, 600, 400}, 3);  // created last, so above the others
    const POINT throughToHost[] = {{100, 160}, {0, 0}, {1, 200}, {300, 250}};
    for (POINT point : throughToHost)
        EXPECT_EQ(WindowFromPoint(ScreenPoint(host.window(), point)), host.window())
            << point.x << "," << point.y;
    EXPECT_EQ(WindowFromPoint(ScreenPoint(host.window(), POINT{440, 310})), button);
}

TEST(ColorLabelTest, PaintsItsBackgroundColour) {
    WidgetHost host;
    HWND rule = host.Create(kColorLabelClass, "", RECT{2, 77, 739, 80}, 1);
    SetColorLabelColors(rule, kAccentColor, kWhiteColor);
    UpdateWindow(rule);
    HDC dc = GetDC(host.window());
    EXPECT_EQ(GetPixel(dc, 300, 78), kAccentColor);
    EXPECT_EQ(GetPixel(dc, 300, 81), GetSysColor(COLOR_WINDOW));
    SetColorLabelColors(rule, RGB(255, 0, 0), kWhiteColor);
    UpdateWindow(rule);
    EXPECT_EQ(GetPixel(dc, 300, 78), RGB(255, 0, 0));
    ReleaseDC(host.window(), dc);
}

TEST(LinkLabelTest, EveryMouseButtonNotifiesOnPressNotOnRelease) {
    WidgetHost host;
    HWND link = host.Create(kLinkLabelClass, "http://www.example.com/", RECT{72, 120, 201, 140}, 41);
    const UINT presses[][2] = {
        {WM_LBUTTONDOWN, WM_LBUTTONUP}, {WM_RBUTTONDOWN, WM_RBUTTONUP}, {WM_MBUTTONDOWN, WM_MBUTTONUP}};
    size_t expected = 0;
    for (const auto& press : presses) {
        SendMessageA(link, press[0], 0, MAKELPARAM(5, 5));
        ASSERT_EQ(host.notifications().size(), ++expected);
        EXPECT_EQ(host.notifications().back().code, LLN_MOUSEDOWN);
        EXPECT_EQ(host.notifications().back().id, 41);
        SendMessageA(link, press[1], 0, MAKELPARAM(5, 5));
        EXPECT_EQ(host.notifications().size(), expected);
    }
}

TEST(LinkLabelTest, HotOnlyWhileTheMouseIsOverIt) {
    WidgetHost host;
    HWND link = host.Create(kLinkLabelClass, "http://www.example.com/", RECT{72, 120, 201, 140}, 41);
    EXPECT_FALSE(LinkLabelIsHot(link));
    const POINT over = ScreenPoint(link, POINT{10, 10});
    SetCursorPos(over.x, over.y);
    SendMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    PumpMessages(100);
    EXPECT_TRUE(LinkLabelIsHot(link));

    const POINT away = ScreenPoint(host.window(), POINT{500, 350});
    SetCursorPos(away.x, away.y);
    for (int i = 0; i < 40 && LinkLabelIsHot(link); ++i)
        PumpMessages(50);
    EXPECT_FALSE(LinkLabelIsHot(link));
}

TEST(ScrollTextTest, OffsetAdvancesByStepsAndWrapsWithinALap) {
    WidgetHost host;
    HWND strip = host.Create(kScrollTextClass, "Credits", RECT{65, 0, 486, 20}, 51);
    EXPECT_EQ(ScrollTextOffset(strip), 0);
    PumpMessages(300);
    const int moved = ScrollTextOffset(strip);
    EXPECT_GT(moved, 0);
    EXPECT_EQ(moved % kScrollStepPixels, 0);

    HWND narrow = host.Create(kScrollTextClass, "ab", RECT{0, 40, 10, 60}, 52);
    const int lap = 10 + TextWidth("ab");
    std::vector<int> seen;
    for (int i = 0; i < 30; ++i) {
        PumpMessages(40);
        seen.push_back(ScrollTextOffset(narrow));
    }
    bool wrapped = false;
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_LT(seen[i], lap);
        if (i > 0 && seen[i] < seen[i - 1])
            wrapped = true;
    }
    EXPECT_TRUE(wrapped);
}

TEST(ScrollTextTest, ItsThreadRunsFromCreationAndEndsWithTheWindow) {
    WidgetHost host;
    PumpMessages(50);
    const int before = ThreadsOfThisProcess();
    HWND strip = host.Create(kScrollTextClass, "Credits", RECT{65, 0, 486, 20}, 51);
    EXPECT_TRUE(ScrollTextIsRunning(strip));
    EXPECT_EQ(ThreadsOfThisProcess(), before + 1);
    DestroyWindow(strip);
    EXPECT_EQ(ThreadsOfThisProcess(), before);
}

}  // namespace
