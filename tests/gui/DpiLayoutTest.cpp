// The three windows at the display scale this process runs at (LogPixels), and moved to another one.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <map>
#include <memory>

#include "gui/GuiTestSupport.h"
#include "ComputerInfoWindow.h"
#include "ComputerInfoWindowIds.h"
#include "MainWindowIds.h"
#include "AboutWindow.h"
#include "MainWindow.h"
#include "Dpi.h"
#include "SideBar.h"

namespace {

struct Placed {
    int id;
    int left, top, width, height;
};

const Placed kMainTable[] = {
    {kXPBar_Location, 3, 124, 140, 138},
    {kXPBar_Users, 3, 300, 140, 35},
    {kUsersList, 3, 335, 140, 104},
    {kLabel_Splitter, 143, 124, 3, 315},
    {kStartUpListView, 146, 124, 594, 315},
    {kLabel_preInstall, 3, 439, 737, 3},
    {kLE_ApplicationPath, 283, 446, 305, 19},
    {kButton_Browse, 611, 446, 89, 19},
    {kButton_ComputerInfo, 51, 454, 89, 19},
    {kLE_ApplicationName, 283, 478, 193, 19},
    {kButton_Add, 611, 478, 89, 19},
    {kButton_About, 51, 478, 89, 19},
    {kLabel_StartUpApps, 3, 506, 345, 17},
    {kLabel_Copyright, 3, 506, 737, 17},
};

const Placed kAboutTable[] = {
    {kLabel_Credits, 0, 0, 65, 20},     {kVrScrollText1, 65, 0, 421, 20},   {kLabel_Version, 88, 48, 379, 35},
    {kLabel_Product, 72, 144, 297, 20}, {kLabel_Logo_1, 0, 194, 487, 3},    {kLabel_Logo_2, 0, 254, 487, 3},
    {kOkButton, 397, 290, 75, 19},      {kAboutCopyright, 0, 340, 487, 17},
};

const Placed kComputerInfoTable[] = {
    {kLE_Computer, 99, 15, 169, 19},
    {kButton_GetValues, 181, 47, 89, 19},
    {kLE_OwnersName, 441, 15, 169, 19},
    {kLE_Organization, 441, 47, 169, 19},
    {kButton_WriteValues, 619, 47, 89, 19},
    {kLE_HomePage, 161, 87, 446, 19},
    {kButton_SetHomePage, 619, 87, 89, 19},
    {kLE_Proxy, 161, 119, 182, 19},
    {kButton_SetProxy, 619, 119, 89, 19},
    {kButton_Close, 635, 351, 89, 19},
    {kHeadingSystem, 16, 152, 337, 20},
    {kHeadingErrorMessages, 552, 152, 177, 20},
    {kRules + 1, 2, 77, 737, 3},
    {kFooter, 2, 387, 737, 17},
    {kSwitchBoxes + static_cast<int>(SwitchBox::CB_06_CMDPrompt), 16, 296, 161, 17},
    {kSwitchBoxes + static_cast<int>(SwitchBox::CB_07_LogoffCommand), 184, 176, 169, 17},
    {kSwitchBoxes + static_cast<int>(SwitchBox::CB_E_05_DisableDesktopCleanupWizard), 552, 272, 177, 17},
};

RECT ClientBox(HWND control) {
    RECT box{};
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&box), 2);
    return box;
}

void ExpectNear(const RECT& actual, const RECT& expected, int slack, const std::string& what) {
    EXPECT_NEAR(actual.left, expected.left, slack) << what;
    EXPECT_NEAR(actual.top, expected.top, slack) << what;
    EXPECT_NEAR(actual.right, expected.right, slack) << what;
    EXPECT_NEAR(actual.bottom, expected.bottom, slack) << what;
}

// Client size and every listed control within a pixel of the table at this DPI (exact at 96 DPI).
template <size_t N>
void ExpectTable(HWND window, int width, int height, const Placed (&table)[N]) {
    const Dpi dpi = Dpi::OfWindow(window);
    const int slack = dpi == Dpi() ? 0 : 1;
    RECT client{};
    GetClientRect(window, &client);
    ExpectNear(client, RECT{0, 0, dpi.Scale(width), dpi.Scale(height)}, slack, TextOf(window));
    for (const Placed& placed : table)
        ExpectNear(ClientBox(GetDlgItem(window, placed.id)),
                   dpi.Box(placed.left, placed.top, placed.width, placed.height), slack,
                   TextOf(window) + " control " + std::to_string(placed.id));
}

std::map<HWND, RECT> VisibleBoxes(HWND window) {
    std::map<HWND, RECT> boxes;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE)
            boxes[child] = ClientBox(child);
    return boxes;
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT common;
    return IntersectRect(&common, &a, &b) != FALSE;
}

void MoveToDpi(HWND window, int dpi) {
    RECT frame{};
    GetWindowRect(window, &frame);
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));
}

// Two visible controls overlap here only where they overlap at the other DPI too.
void ExpectNoNewOverlaps(HWND window, int otherDpi) {
    const int ownDpi = Dpi::OfWindow(window).Value();
    const std::map<HWND, RECT> here = VisibleBoxes(window);
    MoveToDpi(window, otherDpi);
    const std::map<HWND, RECT> there = VisibleBoxes(window);
    MoveToDpi(window, ownDpi);
    for (auto a = here.begin(); a != here.end(); ++a)
        for (auto b = std::next(a); b != here.end(); ++b)
            EXPECT_EQ(Overlap(a->second, b->second), Overlap(there.at(a->first), there.at(b->first)))
                << TextOf(window) << ": controls " << GetDlgCtrlID(a->first) << " and "
                << GetDlgCtrlID(b->first);
}

// The caption of every visible text control fits its box, measured with the control's own font.
void ExpectCaptionsFit(HWND window) {
    const Dpi dpi = Dpi::OfWindow(window);
    for (const auto& [control, box] : VisibleBoxes(window)) {
        char className[64] = {};
        GetClassNameA(control, className, sizeof className);
        std::string caption = TextOf(control);
        if (caption.empty() || lstrcmpiA(className, "Edit") == 0 || lstrcmpiA(className, WC_LISTBOXA) == 0)
            continue;
        if (size_t amp = caption.find('&'); amp != std::string::npos)
            caption.erase(amp, 1);
        const std::string name = className;
        // Room the control keeps for itself: the toggles' indicator and gap, the colour labels' margin.
        const int reserved =
            name.find("Switch") != std::string::npos || name.find("Radio") != std::string::npos
                ? dpi.Scale(1) + dpi.Scale(13) + dpi.Scale(4)
            : name.find("ColorLabel") != std::string::npos ? dpi.Scale(3)
                                                           : 0;
        HDC dc = GetDC(control);
        HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
        SIZE extent{};
        TEXTMETRICA metrics{};
        GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, previous);
        ReleaseDC(control, dc);
        EXPECT_LE(extent.cx + reserved, box.right - box.left) << TextOf(window) << ": \"" << caption << "\"";
        EXPECT_LE(metrics.tmHeight - metrics.tmInternalLeading, box.bottom - box.top)
            << TextOf(window) << ": \"" << caption << "\"";
    }
}

class DpiLayoutTest : public ::testing::Test {
protected:
    DpiLayoutTest() {
        form1_ = std::make_unique<MainWindow>(MainWindowSeams{{}, &cues_});
        about_ = std::make_unique<AboutWindow>(form1_->Handle(), [](HWND, const std::string&) {});
        form2_ = std::make_unique<ComputerInfoWindow>(
            ComputerInfoWindow::Links{form1_->Handle(), form1_.get(), [] { return std::string("HOST"); }, {}});
    }
    ~DpiLayoutTest() override {
        form2_.reset();
        about_.reset();
        form1_.reset();
    }
    std::vector<HWND> Windows() const { return {form1_->Handle(), about_->Handle(), form2_->Handle()}; }

    TestMachine machine_;
    RecordingNotifier cues_;
    std::unique_ptr<MainWindow> form1_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<ComputerInfoWindow> form2_;
};

TEST_F(DpiLayoutTest, WindowsFollowTheScaledTablesWithoutNewOverlapsAndTheirCaptionsFit) {
    // The DPI this run was started at (LogPixels), when the test runner asked for one.
    if (const char* asked = std::getenv("TELLURIN_TEST_DPI")) {
        ASSERT_EQ(Dpi::OfSystem().Value(), std::atoi(asked)) << "LogPixels was not taken at start";
    }
    for (HWND window : Windows())
        EXPECT_EQ(Dpi::OfWindow(window), Dpi::OfSystem());
    ExpectTable(form1_->Handle(), 741, 525, kMainTable);
    ExpectTable(about_->Handle(), 487, 356, kAboutTable);
    ExpectTable(form2_->Handle(), 742, 406, kComputerInfoTable);
    // The list's columns end where the list's width scaled ends.
    HWND list = form1_->Control(kStartUpListView);
    int columns = 0;
    for (int column = 0; column < 4; ++column)
        columns += ListView_GetColumnWidth(list, column);
    EXPECT_NEAR(columns, Dpi::OfSystem().Scale(588), 1);

    const int other = Dpi::OfSystem() == Dpi() ? 144 : 96;
    for (HWND window : Windows()) {
        ExpectCaptionsFit(window);
        ExpectNoNewOverlaps(window, other);
    }
}

TEST_F(DpiLayoutTest, AMoveToAnotherScaleReLaysOutTheMainWindowAndKeepsItsState) {
    SetTextValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, "Pager", "C:\\Tools\\pager.exe");
    SetTextValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, "Backup", "C:\\Tools\\backup.exe");
    HWND form = form1_->Handle();
    form1_->FormKeyDown(VK_F5);
    ASSERT_EQ(form1_->ListView().RowCount(), 2);
    ListView_SetItemState(form1_->Control(kStartUpListView), 1, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    SetWindowTextA(form1_->Control(kLE_ApplicationName), "Editor");
    SetWindowTextA(form1_->Control(kLE_ApplicationPath), "C:\\Tools\\editor.exe");
    SideBarSetCollapsed(form1_->Control(kXPBar_Location), true);
    const HWND listBefore = form1_->Control(kStartUpListView);
    const auto fontHeight = [&] {
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(form1_->Control(kButton_Add), WM_GETFONT, 0, 0)),
                   sizeof font, &font);
        return -font.lfHeight;
    };

    const int target = Dpi::OfSystem().Value() == 192 ? 120 : 192;
    RECT suggested{40, 30, 40 + 900, 30 + 700};
    SendMessageA(form, WM_DPICHANGED, MAKEWPARAM(target, target), reinterpret_cast<LPARAM>(&suggested));

    EXPECT_EQ(Dpi::OfWindow(form).Value(), target);
    RECT frame{};
    GetWindowRect(form, &frame);
    EXPECT_EQ(frame.left, suggested.left);
    EXPECT_EQ(frame.top, suggested.top);
    EXPECT_EQ(fontHeight(), Dpi(target).ScaleFont(11));
    EXPECT_EQ(form1_->Control(kStartUpListView), listBefore);  // the same controls, not new ones
    EXPECT_EQ(form1_->ListView().RowCount(), 2);
    EXPECT_EQ(ListView_GetNextItem(listBefore, -1, LVNI_SELECTED), 1);
    EXPECT_EQ(TextOf(form1_->Control(kLE_ApplicationName)), "Editor");
    EXPECT_EQ(TextOf(form1_->Control(kLE_ApplicationPath)), "C:\\Tools\\editor.exe");
    EXPECT_TRUE(IsWindowEnabled(form1_->Control(kButton_Add)));
    // Still collapsed to its header at the new scale; expanded, it has its scaled height back.
    HWND bar = form1_->Control(kXPBar_Location);
    EXPECT_TRUE(SideBarIsCollapsed(bar));
    EXPECT_EQ(ClientBox(bar).bottom - ClientBox(bar).top, Dpi(target).Scale(25));
    SideBarSetCollapsed(bar, false);
    ExpectTable(form, 741, 525, kMainTable);
}

}  // namespace
