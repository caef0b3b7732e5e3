// A row that Windows' own startup settings hold off: its info tip says so, and Enable switches it on.
// Every row's tip tells what its program file says of itself, or that it is not there.

// A row set by policy: its info tip says so, and the menu offers nothing for it.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <filesystem>

#include "gui/GuiTestSupport.h"
#include "EntryInfoTip.h"
#include "StartupMessages.h"
#include "MainWindowIds.h"
#include "MainWindow.h"

namespace {

const char* kApprovedRun = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

std::string TipOf(MainWindow& form, int index, const std::string& caption) {
    std::string text = caption;
    text.resize(1024, '\0');
    NMLVGETINFOTIPA tip{};
    tip.hdr = {form.ListView().Handle(), static_cast<UINT_PTR>(kStartUpListView), LVN_GETINFOTIPA};
    tip.pszText = text.data();
    tip.cchTextMax = static_cast<int>(text.size());
    tip.iItem = index;
    SendMessageA(form.Handle(), WM_NOTIFY, kStartUpListView, reinterpret_cast<LPARAM>(&tip));
    return text.c_str();
}

int IndexOf(MainWindow& form, const std::string& name) {
    for (int i = 0; i < form.ListView().RowCount(); ++i)
        if (form.ListView().Row(i).appName == name)
            return i;
    return -1;
}

TEST(EntryInfoTipTest, ARowWindowsHoldsOffSaysSoAndEnableSwitchesItOn) {
    TestMachine machine;
    KeySnapshot approved(HKEY_LOCAL_MACHINE, kApprovedRun);
    SetTextValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, "Held", "C:\\held.exe");
    SetTextValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, "Free", "C:\\free.exe");
    SetTextValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, "Signed", "\"" TELLURIN_SIGNED "\\valid.dll\" /s");
    SetRawValue(HKEY_LOCAL_MACHINE, kApprovedRun, "Held", REG_BINARY,
                "\x03\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B", 12);
    RecordingNotifier cues;
    MainWindow form(MainWindowSeams{{}, &cues});
    form.Show();
    PumpMessages(50);

    EXPECT_EQ(TipOf(form, IndexOf(form, "Held"), "Held"),
              std::string("Held\r\n") + kSwitchedOffByWindows + "\r\nFile not found: C:\\held.exe");
    EXPECT_EQ(TipOf(form, IndexOf(form, "Free"), "Free"), "Free\r\nFile not found: C:\\free.exe");
    EXPECT_EQ(TipOf(form, IndexOf(form, "Signed"), ""),
              "Tellurin sample library\r\nPublisher: Tellurin Test Works\r\nVersion: 2.3.4.5\r\n"
              "Signature: untrusted (Tellurin Test Signer)");
    HWND list = form.ListView().Handle();
    ListView_SetItemState(list, IndexOf(form, "Held"), LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(kEnableApp1, BN_CLICKED), 0);
    EXPECT_EQ(form.ListView().Row(IndexOf(form, "Held")).Status(), "Enabled");
    EXPECT_EQ(GetRawValue(HKEY_LOCAL_MACHINE, kApprovedRun, "Held").data,
              (std::vector<BYTE>{2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(machine.StoreContent(), "");
}

// A folder for the test's files, removed with them whatever the test's end.
struct ScratchRoot {
    std::string path = "C:\\tellurin_tips_" + std::to_string(GetCurrentProcessId());
    ScratchRoot() { CreateDirectoryA(path.c_str(), nullptr); }
    ~ScratchRoot() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

TEST(EntryInfoTipTest, APathInAnotherScriptTellsItsFileLikeAnyOther) {
    TestMachine machine;
    const ScratchRoot root;
    const std::string folder = root.path + "\\Программы 程序";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(TELLURIN_SIGNED "\\valid.dll", (folder + "\\café.exe").c_str(), TRUE));
    SetTextValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, "Present", "\"" + folder + "\\café.exe\" /min");
    SetTextValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, "Missing",
                 "\"C:\\Program Files\\Café\\cafe.exe\" /min");
    RecordingNotifier cues;
    MainWindow form(MainWindowSeams{{}, &cues});
    form.Show();
    PumpMessages(50);

    EXPECT_EQ(TipOf(form, IndexOf(form, "Missing"), ""), "File not found: C:\\Program Files\\Café\\cafe.exe");
    EXPECT_EQ(TipOf(form, IndexOf(form, "Present"), ""),
              "Tellurin sample library\r\nPublisher: Tellurin Test Works\r\nVersion: 2.3.4.5\r\n"
              "Signature: untrusted (Tellurin Test Signer)");
    EXPECT_TRUE(cues.events.empty());
}

TEST(EntryInfoTipTest, ARowSetByPolicySaysSoAndCannotBeDisabledOrRemoved) {
    const char* policyRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";
    TestMachine machine;
    KeySnapshot policy(HKEY_LOCAL_MACHINE, policyRun);
    SetTextValue(HKEY_LOCAL_MACHINE, policyRun, "Guard", "C:\\guard.exe");
    RecordingNotifier cues;
    MainWindow form(MainWindowSeams{{}, &cues});
    form.Show();
    PumpMessages(50);

    const int guard = IndexOf(form, "Guard");
    ASSERT_GE(guard, 0);
    EXPECT_EQ(TipOf(form, guard, "Guard"),
              std::string("Guard\r\n") + kSetByPolicyTip + "\r\nFile not found: C:\\guard.exe");
    ListView_SetItemState(form.ListView().Handle(), guard, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    for (int item : {kDisableApp1, kEnableApp1, kRemoveApp1})
        EXPECT_TRUE(GetMenuState(form.EntryMenu(), item, MF_BYCOMMAND) & MF_GRAYED) << item;
}

}  // namespace
