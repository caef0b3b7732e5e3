// The About and Computer Information windows, shown modally from the main window's buttons.
#include <gtest/gtest.h>

#include <windows.h>

#include "gui/GuiTestSupport.h"
#include "ComputerInfoWindow.h"
#include "ComputerInfoWindowIds.h"
#include "MainWindowIds.h"
#include "MessageBoxes.h"
#include "AboutWindow.h"
#include "MainWindow.h"
#include "ToggleMessages.h"

namespace {

const char* const kIdentity = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char* const kMain = "Software\\Microsoft\\Internet Explorer\\Main";
const char* const kInternet = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const char* const kSystemPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
const char* const kAdvanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

// The message box this thread shows, or nullptr.
HWND ShownMessageBox() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM out) {
            char className[16] = {};
            GetClassNameA(window, className, sizeof className);
            if (std::string(className) != "#32770" || !IsWindowVisible(window))
                return TRUE;
            *reinterpret_cast<HWND*>(out) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// A real left click at the centre of a control, through the system's input queue.
void ClickWithMouse(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    INPUT clicks[2] = {};
    clicks[0].type = clicks[1].type = INPUT_MOUSE;
    clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, clicks, sizeof(INPUT));
    PumpMessages(300);
}

class SecondaryWindowsTest : public ::testing::Test {
protected:
    SecondaryWindowsTest()
        : identity_(HKEY_LOCAL_MACHINE, kIdentity),
          internet_(HKEY_CURRENT_USER, kInternet),
          policies_(HKEY_CURRENT_USER, kSystemPolicies),
          advanced_(HKEY_CURRENT_USER, kAdvanced) {
        SetTextValue(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOwner", "Test Owner");
        SetTextValue(HKEY_LOCAL_MACHINE, kIdentity, "RegisteredOrganization", "Test Org");
        SetTextValue(HKEY_CURRENT_USER, kInternet, "ProxyServer", "10.1.1.1:8080");
        SetNumberValue(HKEY_CURRENT_USER, kInternet, "ProxyEnable", 1);
        SetNumberValue(HKEY_CURRENT_USER, kSystemPolicies, "DisableTaskMgr", 1);
        SetNumberValue(HKEY_CURRENT_USER, kAdvanced, "HideFileExt", 0);
        form1_ = std::make_unique<MainWindow>(MainWindowSeams{{}, &cues_});
        about_ = std::make_unique<AboutWindow>(
            form1_->Handle(), [this](HWND, const std::string& address) { opened_.push_back(address); });
        form2_ = std::make_unique<ComputerInfoWindow>(ComputerInfoWindow::Links{form1_->Handle(), form1_.get(),
                                                        [this] { return form1_->GetLocalComputerName(); },
                                                        [this] { about_->ShowModal(); }});
        form1_->SetModalWindows([this] { about_->ShowModal(); }, [this] { form2_->ShowModal(); });
        form1_->Show();
    }
    ~SecondaryWindowsTest() override {
        form2_.reset();
        about_.reset();
        form1_.reset();
    }
    void Click(HWND window, int id) { SendMessageA(GetDlgItem(window, id), BM_CLICK, 0, 0); }
    HWND Form2() const { return form2_->Handle(); }
    bool Checked(SwitchBox box) const { return IsToggleChecked(form2_->Control(ComputerInfoWindow::IdOf(box))); }

    TestMachine machine_;
    KeySnapshot identity_, internet_, policies_, advanced_;
    RecordingNotifier cues_;
    std::vector<std::string> opened_;
    std::unique_ptr<MainWindow> form1_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<ComputerInfoWindow> form2_;
};

TEST_F(SecondaryWindowsTest, AboutOpensItsLinksOnAnyButtonPressAndClosesBackToTheMainWindow) {
    bool checked = false;
    LoopProbe probe(50, [&] {
        if (!IsWindowVisible(about_->Handle()))
            return false;
        EXPECT_EQ(TextOf(about_->Handle()), "About Tellurin");
        EXPECT_FALSE(IsWindowEnabled(form1_->Handle()));  // modal
        SendMessageA(about_->Control(kLabel_Link), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
        SendMessageA(about_->Control(kLabel_Product), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        EXPECT_EQ(opened_, (std::vector<std::string>{AboutWindow::kWebAddress, AboutWindow::kProductAddress}));
        // Each link shows its whole text, even in the bold face it takes under the mouse.
        for (int id : {kLabel_Link, kLabel_Product}) {
            HWND link = about_->Control(id);
            LOGFONTA face{};
            GetObjectA(reinterpret_cast<HFONT>(SendMessageA(link, WM_GETFONT, 0, 0)), sizeof face, &face);
            face.lfWeight = FW_BOLD;
            HFONT bold = CreateFontIndirectA(&face);
            HDC dc = GetDC(link);
            HGDIOBJ previous = SelectObject(dc, bold);
            SIZE text{};
            GetTextExtentPoint32A(dc, TextOf(link).c_str(), static_cast<int>(TextOf(link).size()), &text);
            SelectObject(dc, previous);
            ReleaseDC(link, dc);
            DeleteObject(bold);
            RECT client;
            GetClientRect(link, &client);
            EXPECT_LE(text.cx, client.right) << TextOf(link);
        }
        ShowWindow(form1_->Handle(), SW_HIDE);
        Click(about_->Handle(), kOkButton);
        checked = true;
        return true;
    });
    Click(form1_->Handle(), kButton_About);  // returns when the About window has closed
    EXPECT_TRUE(checked);
    EXPECT_FALSE(IsWindowVisible(about_->Handle()));
    EXPECT_TRUE(IsWindowVisible(form1_->Handle()));
    EXPECT_TRUE(IsWindowEnabled(form1_->Handle()));
}

TEST_F(SecondaryWindowsTest, CompInfoShowsTheLocalComputerAndClosesAtTheNextTick) {
    DWORD closeClicked = 0;
    bool checked = false;
    LoopProbe probe(50, [&] {
        if (!IsWindowVisible(Form2()))
            return false;
        EXPECT_EQ(TextOf(form2_->Control(kLE_Computer)), form1_->GetLocalComputerName());
        EXPECT_EQ(TextOf(form2_->Control(kLE_OwnersName)), "Test Owner");
        EXPECT_EQ(TextOf(form2_->Control(kLE_Organization)), "Test Org");
        EXPECT_EQ(TextOf(form2_->Control(kLE_Proxy)), "10.1.1.1:8080");
        EXPECT_TRUE(IsToggleChecked(form2_->Control(kRB_ProxyEnabled)));
        EXPECT_FALSE(Checked(SwitchBox::CB_01_TaskManager));    // DisableTaskMgr 1
        EXPECT_TRUE(Checked(SwitchBox::CB_11_FileExtensions));  // HideFileExt 0
        // A click on a box runs that box's handler: its number is stored at once.
        Click(Form2(), ComputerInfoWindow::IdOf(SwitchBox::CB_01_TaskManager));
        Click(Form2(), ComputerInfoWindow::IdOf(SwitchBox::CB_11_FileExtensions));
        EXPECT_TRUE(Checked(SwitchBox::CB_01_TaskManager));
        EXPECT_EQ(GetRawValue(HKEY_CURRENT_USER, kSystemPolicies, "DisableTaskMgr").data,
                  (std::vector<BYTE>{0, 0, 0, 0}));
        EXPECT_EQ(GetRawValue(HKEY_CURRENT_USER, kAdvanced, "HideFileExt").data,
                  (std::vector<BYTE>{1, 0, 0, 0}));
        Click(Form2(), kButton_Close);
        Click(Form2(), kButton_Close);          // twice before the tick: closes once
        EXPECT_TRUE(IsWindowVisible(Form2()));  // not at once
        closeClicked = GetTickCount();
        checked = true;
        return true;
    });
    Click(form1_->Handle(), kButton_ComputerInfo);
    const DWORD closedAfter = GetTickCount() - closeClicked;
    EXPECT_TRUE(checked);
    EXPECT_FALSE(IsWindowVisible(Form2()));
    EXPECT_LE(closedAfter, 2500u);  // at the next tick of a 1000 ms timer, with room for a busy machine
    EXPECT_TRUE(IsWindowEnabled(form1_->Handle()));
}

TEST_F(SecondaryWindowsTest, CompInfoOwnsItsBoxesAndStaysModalAfterThem) {
    KeySnapshot main(HKEY_CURRENT_USER, kMain);
    // The boxes of the main window's notifier, as the program wires them.
    SystemNotifier boxes(form1_->Handle());
    form2_ = std::make_unique<ComputerInfoWindow>(
        ComputerInfoWindow::Links{form1_->Handle(), &boxes, [this] { return form1_->GetLocalComputerName(); }, [] {}});
    std::vector<HWND> boxOwners;
    LoopProbe answer(50, [&] {
        if (HWND box = ShownMessageBox()) {
            boxOwners.push_back(GetWindow(box, GW_OWNER));
            SendMessageA(box, WM_COMMAND, IDOK, 0);
        }
        return false;
    });
    bool aboutOpened = false;
    LoopProbe aboutGuard(50, [&] {
        if (IsWindowVisible(about_->Handle())) {
            aboutOpened = true;
            ShowWindow(about_->Handle(), SW_HIDE);
        }
        return false;
    });
    auto expectStillModal = [&] {
        EXPECT_FALSE(IsWindowEnabled(form1_->Handle()));
        EXPECT_EQ(GetActiveWindow(), Form2());
        EXPECT_TRUE(GetFocus() == Form2() || IsChild(Form2(), GetFocus()));
    };
    bool checked = false;
    LoopProbe probe(50, [&] {
        if (!IsWindowVisible(Form2()))
            return false;
        Click(Form2(), kButton_SetHomePage);  // information box; returns once it is closed
        expectStillModal();
        SetWindowTextA(form2_->Control(kLE_Computer), "");
        Click(Form2(), kButton_WriteValues);  // error box: no station
        expectStillModal();
        // Moved off the main window's About button, which a real click then cannot press.
        SetWindowPos(Form2(), nullptr, 500, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ClickWithMouse(GetDlgItem(form1_->Handle(), kButton_About));
        EXPECT_FALSE(aboutOpened);
        SendMessageA(Form2(), WM_SYSCOMMAND, SC_CLOSE, 0);
        checked = true;
        return true;
    });
    Click(form1_->Handle(), kButton_ComputerInfo);
    EXPECT_TRUE(checked);
    EXPECT_EQ(boxOwners, (std::vector<HWND>{Form2(), Form2()}));
}

TEST_F(SecondaryWindowsTest, TheCloseBoxHidesAtOnceAndReopeningWithinASecondStaysOpen) {
    LoopProbe closeBox(50, [&] {
        if (!IsWindowVisible(Form2()))
            return false;
        SendMessageA(Form2(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_FALSE(IsWindowVisible(Form2()));  // hidden at once
        EXPECT_EQ(form2_->Presenter().TimerCommand(), "close");
        return true;
    });
    Click(form1_->Handle(), kButton_ComputerInfo);
    ASSERT_TRUE(closeBox.Done());

    // Shown again while "close" is pending: the showing sets "startup", so the window stays.
    int ticksSeen = 0;
    LoopProbe reopened(1200, [&] {
        ++ticksSeen;
        EXPECT_TRUE(IsWindowVisible(Form2()));
        if (ticksSeen < 2)
            return false;
        SendMessageA(Form2(), WM_SYSCOMMAND, SC_CLOSE, 0);
        return true;
    });
    Click(form1_->Handle(), kButton_ComputerInfo);
    EXPECT_EQ(ticksSeen, 2);
}

}  // namespace
