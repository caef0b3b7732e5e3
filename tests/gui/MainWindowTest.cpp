// The main window driven in-process: start, bar, keys, menu states, add/disable/enable/remove, users.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <set>

#include "gui/GuiTestSupport.h"
#include "support/DialogWatcher.h"
#include "LinkLabel.h"
#include "MainWindowIds.h"
#include "MainWindow.h"
#include "SideBar.h"

namespace {

std::set<HWND> paintedWindows;

LRESULT CALLBACK NotePaint(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_PAINT)
        paintedWindows.insert(call->hwnd);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK NoteUnpainted(HWND control, LPARAM unpainted) {
    char name[64] = "";
    if (IsWindowVisible(control) && !paintedWindows.count(control) && GetClassNameA(control, name, 64))
        reinterpret_cast<std::vector<std::string>*>(unpainted)->push_back(name);
    return TRUE;
}

TEST(MainWindowShowTest, ShowReturnsWithTheWindowActiveAndEveryControlPainted) {
    TestMachine machine;
    SetTextValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, "Pager", "C:\\Tools\\pager.exe -tray");
    RecordingNotifier cues;
    MainWindow form(MainWindowSeams{{}, &cues});
    paintedWindows.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, NotePaint, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    form.Show();
    UnhookWindowsHookEx(hook);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(GetActiveWindow(), form.Handle());
    EXPECT_TRUE(paintedWindows.count(form.Handle()));
    std::vector<std::string> unpainted;
    EnumChildWindows(form.Handle(), NoteUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    EXPECT_EQ(unpainted, std::vector<std::string>{});
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetTextValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, "Pager", "C:\\Tools\\pager.exe -tray");
        SetTextValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, "antivirus", "C:\\Guard\\guard.exe");
        SetTextValue(HKEY_CURRENT_USER, TestMachine::kRun, "Notes", "C:\\Notes\\notes.exe");
        machine_.WriteStore("HKLM_Run\r\nIndexer\r\nC:\\Tools\\indexer.exe\r\n");
        form_ = std::make_unique<MainWindow>(MainWindowSeams{{}, &cues_});
        form_->Show();
        PumpMessages(50);
    }
    void TearDown() override { form_.reset(); }

    HWND Control(int id) const { return form_->Control(id); }
    // As the list shows them: each row's name, location, status and state image.
    std::vector<std::string> RowTexts() const {
        HWND list = Control(kStartUpListView);
        std::vector<std::string> rows;
        for (int i = 0; i < ListView_GetItemCount(list); ++i) {
            std::string line;
            for (int column : {0, 2, 3}) {
                char text[256] = "";
                ListView_GetItemText(list, i, column, text, sizeof text);
                (line += text) += "|";
            }
            const UINT state = ListView_GetItemState(list, i, LVIS_STATEIMAGEMASK);
            rows.push_back(line + std::to_string(static_cast<int>((state >> 12) & 0xF) - 1));
        }
        return rows;
    }
    void SelectRow(int index) {
        HWND list = Control(kStartUpListView);
        ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (index >= 0)
            ListView_SetItemState(list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    int RowNamed(const std::string& name) const {
        for (int i = 0; i < form_->ListView().RowCount(); ++i)
            if (form_->ListView().Row(i).appName == name)
                return i;
        return -1;
    }
    bool MenuItemEnabled(int id) const {
        return !(GetMenuState(form_->EntryMenu(), id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
    }
    void Command(int id) { SendMessageA(form_->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void Type(int id, const char* text) { SetWindowTextA(Control(id), text); }

    TestMachine machine_;
    RecordingNotifier cues_;
    std::unique_ptr<MainWindow> form_;
};

TEST_F(MainWindowTest, StartsWithTheVersionedCaptionAndTheFirstLocation) {
    EXPECT_EQ(TextOf(form_->Handle()), "Tellurin v.5");
    EXPECT_EQ(form_->Logic().CurrentLocation(), "HKLM_Run");
    // Ordered by App Name as lstrcmpA orders them; the disabled record among them, not counted.
    EXPECT_EQ(RowTexts(),
              (std::vector<std::string>{"antivirus|HKLM_Run|Enabled|1", "Indexer|HKLM_Run|Disabled|0",
                                        "Pager|HKLM_Run|Enabled|1"}));
    EXPECT_EQ(TextOf(Control(kLabel_StartUpApps)), "[HKLM_Run] = 2 apps will start with windows.");
    for (int item : {kDisableApp1, kEnableApp1, kRemoveApp1})
        EXPECT_FALSE(MenuItemEnabled(item));
    EXPECT_FALSE(IsWindowEnabled(Control(kButton_Add)));
    EXPECT_TRUE(cues_.events.empty());
}

// The views beyond the bar's five are links in the room below it, which leaves the bar as it was.
TEST_F(MainWindowTest, TheLinksBelowTheBarShowTheTasksAndAppsViews) {
    RECT bar{}, link{};
    GetWindowRect(Control(kXPBar_Location), &bar);
    for (const char* view : {"Tasks", "Apps"}) {
        HWND control = Control(LinkIdOf(view));
        ASSERT_NE(control, nullptr) << view;
        GetWindowRect(control, &link);
        EXPECT_GE(link.top, bar.bottom) << view;
        SendMessageA(form_->Handle(), WM_COMMAND, MAKEWPARAM(LinkIdOf(view), LLN_MOUSEDOWN),
                     reinterpret_cast<LPARAM>(control));
        EXPECT_EQ(form_->Logic().CurrentLocation(), view);
        const std::string count = std::string("[") + view + "] = 0 apps will start with windows.";
        EXPECT_EQ(TextOf(Control(kLabel_StartUpApps)), count);
    }
    EXPECT_EQ(TextOf(Control(LinkIdOf("Tasks"))), "Log-on Tasks");
    EXPECT_EQ(cues_.events, (std::vector<std::string>{"sound press", "sound press"}));
}

TEST_F(MainWindowTest, BarItemsPlayThePressCueAndShowTheirLocation) {
    SideBarClickItem(Control(kXPBar_Location), 2);
    EXPECT_EQ(form_->Logic().CurrentLocation(), "HKCU_Run");
    EXPECT_EQ(RowTexts(), std::vector<std::string>{"Notes|HKCU_Run|Enabled|1"});
    EXPECT_EQ(TextOf(Control(kLabel_StartUpApps)), "[HKCU_Run] = 1 app will start with windows.");
    EXPECT_EQ(cues_.events, std::vector<std::string>{"sound press"});

    SideBarClickItem(Control(kXPBar_Location), 2);  // the current one again: cue and scan again
    EXPECT_EQ(cues_.events.size(), 2u);
}

TEST_F(MainWindowTest, F5WithOrWithoutModifiersRefreshesFromAnyControl) {
    SetTextValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, "Added", "C:\\added.exe");
    EXPECT_EQ(RowNamed("Added"), -1);
    SetFocus(Control(kLE_ApplicationName));
    PostMessageA(Control(kLE_ApplicationName), WM_KEYDOWN, VK_F5, 0);
    EXPECT_TRUE(PumpUntil([&] { return RowNamed("Added") >= 0; }));

    SetTextValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, "AddedToo", "C:\\too.exe");
    PostMessageA(Control(kStartUpListView), WM_SYSKEYDOWN, VK_F5, 1 << 29);  // Alt+F5
    EXPECT_TRUE(PumpUntil([&] { return RowNamed("AddedToo") >= 0; }));
    EXPECT_EQ(TextOf(Control(kLabel_StartUpApps)), "[HKLM_Run] = 4 apps will start with windows.");
}

TEST_F(MainWindowTest, TheEntryMenuFollowsTheSelectedRow) {
    SelectRow(RowNamed("Pager"));
    EXPECT_TRUE(MenuItemEnabled(kDisableApp1));
    EXPECT_FALSE(MenuItemEnabled(kEnableApp1));
    EXPECT_TRUE(MenuItemEnabled(kRemoveApp1));

    SelectRow(RowNamed("Indexer"));
    EXPECT_FALSE(MenuItemEnabled(kDisableApp1));
    EXPECT_TRUE(MenuItemEnabled(kEnableApp1));
    EXPECT_TRUE(MenuItemEnabled(kRemoveApp1));

    SelectRow(-1);
    for (int item : {kDisableApp1, kEnableApp1, kRemoveApp1})
        EXPECT_FALSE(MenuItemEnabled(item));
    Command(kRemoveApp1);  // nothing selected: nothing happens
    EXPECT_EQ(form_->ListView().RowCount(), 3);
}

TEST_F(MainWindowTest, TypingTheStartOfANameSelectsItsRow) {
    HWND list = Control(kStartUpListView);
    SetFocus(list);
    SendMessageA(list, WM_CHAR, 'p', 1);  // pressed once
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), RowNamed("Pager"));
    EXPECT_TRUE(MenuItemEnabled(kDisableApp1));
    Sleep(1100);  // a new search, not "pi"
    SendMessageA(list, WM_CHAR, 'i', 1);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), RowNamed("Indexer"));
}

TEST_F(MainWindowTest, AddIsEnabledOnlyWhileBothEditsHoldText) {
    Type(kLE_ApplicationName, "Tool");
    EXPECT_FALSE(IsWindowEnabled(Control(kButton_Add)));
    Type(kLE_ApplicationPath, " ");
    EXPECT_TRUE(IsWindowEnabled(Control(kButton_Add)));
    Type(kLE_ApplicationName, "");
    EXPECT_FALSE(IsWindowEnabled(Control(kButton_Add)));
}

TEST_F(MainWindowTest, AddsDisablesEnablesAndRemovesThroughTheControls) {
    Type(kLE_ApplicationName, "Mixer");
    Type(kLE_ApplicationPath, "C:\\Program Files\\Mix\\mix.exe");
    SendMessageA(Control(kButton_Add), BM_CLICK, 0, 0);
    ASSERT_GE(RowNamed("Mixer"), 0);
    EXPECT_EQ(form_->ListView().Row(RowNamed("Mixer")).appPath, "\"C:\\Program Files\\Mix\\mix.exe\"");

    SelectRow(RowNamed("Mixer"));
    Command(kDisableApp1);
    ASSERT_GE(RowNamed("Mixer"), 0);
    EXPECT_EQ(form_->ListView().Row(RowNamed("Mixer")).Status(), "Disabled");
    EXPECT_FALSE(GetRawValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, "Mixer").exists);

    SelectRow(RowNamed("Mixer"));
    Command(kEnableApp1);
    EXPECT_EQ(form_->ListView().Row(RowNamed("Mixer")).Status(), "Enabled");
    EXPECT_TRUE(GetRawValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, "Mixer").exists);
    EXPECT_EQ(machine_.StoreContent(), "HKLM_Run\r\nIndexer\r\nC:\\Tools\\indexer.exe\r\n");

    SelectRow(RowNamed("Mixer"));
    Command(kRemoveApp1);
    EXPECT_EQ(RowNamed("Mixer"), -1);
    EXPECT_FALSE(GetRawValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, "Mixer").exists);
    EXPECT_TRUE(cues_.events.empty());
}

TEST_F(MainWindowTest, BrowsePutsTheChosenFileIntoThePathEdit) {
    form_.reset();
    std::string askedFolder;
    std::optional<std::string> answer = "C:\\Tools\\chosen.exe";
    MainWindowSeams seams{[&](HWND, const std::string& folder) {
                              askedFolder = folder;
                              return answer;
                          },
                          &cues_};
    form_ = std::make_unique<MainWindow>(seams);
    Type(kLE_ApplicationName, "Chosen");
    SendMessageA(Control(kButton_Browse), BM_CLICK, 0, 0);
    EXPECT_EQ(TextOf(Control(kLE_ApplicationPath)), "C:\\Tools\\chosen.exe");
    EXPECT_TRUE(IsWindowEnabled(Control(kButton_Add)));
    EXPECT_EQ(askedFolder, ProgramFolder() + "\\");

    answer.reset();  // cancelled: the edit keeps its text
    SendMessageA(Control(kButton_Browse), BM_CLICK, 0, 0);
    EXPECT_EQ(TextOf(Control(kLE_ApplicationPath)), "C:\\Tools\\chosen.exe");
}

TEST_F(MainWindowTest, TheUsersListShowsOneUsersStartupFolder) {
    machine_.AddProfileShortcut("guiuser1", "Chat", "C:\\Chat\\chat.exe");
    machine_.AddProfileShortcut("guiuser2", "Weather", "C:\\Wx\\wx.exe");
    SideBarClickItem(Control(kXPBar_Location), 4);
    HWND users = Control(kUsersList);
    const LRESULT second = SendMessageA(users, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("guiuser2"));
    ASSERT_NE(second, LB_ERR);
    EXPECT_GE(RowNamed("Chat.lnk"), 0);
    EXPECT_GE(RowNamed("Weather.lnk"), 0);

    SendMessageA(users, LB_SETCURSEL, second, 0);
    SendMessageA(form_->Handle(), WM_COMMAND, MAKEWPARAM(kUsersList, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(users));
    EXPECT_EQ(RowTexts(), std::vector<std::string>{"Weather.lnk|guiuser2\\Startup|Enabled|1"});
    EXPECT_EQ(form_->Logic().CurrentLocation(), "Startup");
}

TEST_F(MainWindowTest, TheBodyDragsTheWindowWhileControlsAnswerForThemselves) {
    POINT header{300, 40};
    ClientToScreen(form_->Handle(), &header);
    EXPECT_EQ(SendMessageA(form_->Handle(), WM_NCHITTEST, 0, MAKELPARAM(header.x, header.y)), HTCAPTION);
    POINT inList{10, 10};
    ClientToScreen(Control(kStartUpListView), &inList);
    EXPECT_EQ(SendMessageA(Control(kStartUpListView), WM_NCHITTEST, 0, MAKELPARAM(inList.x, inList.y)),
              HTCLIENT);
}

TEST_F(MainWindowTest, AnErrorInAHandlerIsShownAndTheProgramGoesOn) {
    const DWORD number = 7;
    SetRawValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, "Broken", REG_DWORD, &number, sizeof number);
    {
        DialogWatcher watcher;
        PostMessageA(Control(kStartUpListView), WM_KEYDOWN, VK_F5, 0);
        ASSERT_TRUE(PumpUntil([&] { return !watcher.Seen().empty(); }));
        EXPECT_EQ(watcher.Seen()[0].title, "Tellurin v.5");
        EXPECT_EQ(watcher.Seen()[0].text, "Invalid data type for 'Broken'");
    }
    // The window still answers: with the value gone the next refresh works.
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, TestMachine::kRun, 0, KEY_ALL_ACCESS, &key);
    RegDeleteValueA(key, "Broken");
    RegCloseKey(key);
    PostMessageA(Control(kStartUpListView), WM_KEYDOWN, VK_F5, 0);
    PumpMessages(100);
    EXPECT_EQ(TextOf(Control(kLabel_StartUpApps)), "[HKLM_Run] = 2 apps will start with windows.");
}

// "/station ws09": the window works on that station, never on this computer's entries, and keeps
// that station's own DisabledStore.
TEST_F(MainWindowTest, OnAnotherStationTheWindowShowsItsNameAndKeepsItsOwnStore) {
    form_.reset();
    cues_.events.clear();
    form_ = std::make_unique<MainWindow>(MainWindowSeams{{}, &cues_}, "ws09");
    PumpMessages(50);
    EXPECT_TRUE(form_->CaptionText().ends_with(" - ws09")) << form_->CaptionText();
    EXPECT_TRUE(form_->Logic().Book().DisabledStoreFile().ends_with("\\WS09_reg_disabled.ini"));
    EXPECT_EQ(RowNamed("Pager"), -1);  // this computer's HKLM_Run value
    EXPECT_EQ(cues_.events, (std::vector<std::string>{"Error: Could NOT open registry !"}));
}

}  // namespace
