// The rows after a refresh stand in the order that a sorting list view gives them when the same rows
// are added to it one at a time, in the order the scan finds them.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "gui/GuiTestSupport.h"
#include "MainWindowIds.h"
#include "MainWindow.h"
#include "SideBar.h"

namespace {

std::string Line(const StartupEntry& row) {
    return row.appName + "|" + row.appPath + "|" + row.location + "|" + row.Status();
}

// A hidden report list view that is given rows one at a time. With LVS_SORTASCENDING it puts each
// row in place itself; without, each row goes at the end and the list view then sorts all its rows
// again with its own sort, comparing captions with lstrcmpA, as a list that sorts itself whenever a
// caption is set does.
class OneAtATimeList {
public:
    explicit OneAtATimeList(DWORD sortStyle) : sortStyle_(sortStyle) {
        list_ = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT | sortStyle, 0, 0, 400, 300,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~OneAtATimeList() { DestroyWindow(list_); }
    OneAtATimeList(const OneAtATimeList&) = delete;
    OneAtATimeList& operator=(const OneAtATimeList&) = delete;

    // The rows in the order this list shows them once all were added in the given order.
    std::vector<std::string> Show(const std::vector<StartupEntry>& added) {
        rows_ = added;
        for (size_t index = 0; index < rows_.size(); ++index) {
            LVITEMA item{};
            item.mask = LVIF_TEXT | LVIF_PARAM;
            item.iItem = static_cast<int>(index);
            item.pszText = const_cast<char*>(rows_[index].appName.c_str());
            item.lParam = static_cast<LPARAM>(index);
            SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            if (sortStyle_ == 0)
                ListView_SortItems(list_, CompareCaptions, reinterpret_cast<LPARAM>(this));
        }
        std::vector<std::string> shown;
        for (int at = 0; at < ListView_GetItemCount(list_); ++at) {
            LVITEMA item{};
            item.mask = LVIF_PARAM;
            item.iItem = at;
            ListView_GetItem(list_, &item);
            shown.push_back(Line(rows_[static_cast<size_t>(item.lParam)]));
        }
        return shown;
    }

private:
    static int CALLBACK CompareCaptions(LPARAM a, LPARAM b, LPARAM self) {
        const auto& rows = reinterpret_cast<OneAtATimeList*>(self)->rows_;
        return lstrcmpA(rows[static_cast<size_t>(a)].appName.c_str(),
                        rows[static_cast<size_t>(b)].appName.c_str());
    }

    DWORD sortStyle_;
    HWND list_;
    std::vector<StartupEntry> rows_;
};

std::vector<std::string> Names(const std::vector<std::string>& lines) {
    std::vector<std::string> names;
    for (const std::string& line : lines)
        names.push_back(line.substr(0, line.find('|')));
    return names;
}

std::vector<std::string> FileNames(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.emplace_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

struct Record {
    std::string key, name, path;
};

class RowOrderTest : public ::testing::Test {
protected:
    void TearDown() override { form_.reset(); }

    void WriteRecords(const std::vector<Record>& records) {
        std::string text;
        for (const Record& record : records)
            text += record.key + "\r\n" + record.name + "\r\n" + record.path + "\r\n";
        machine_.WriteStore(text);
    }
    void Open() {
        form_ = std::make_unique<MainWindow>(MainWindowSeams{{}, &cues_});
        form_->Show();
        PumpMessages(20);
    }
    std::vector<std::string> Shown() const {
        std::vector<std::string> lines;
        for (int index = 0; index < form_->ListView().RowCount(); ++index)
            lines.push_back(Line(form_->ListView().Row(index)));
        return lines;
    }
    std::vector<std::string> Users() const {
        HWND list = form_->Control(kUsersList);
        std::vector<std::string> users;
        for (int index = 0; index < SendMessageA(list, LB_GETCOUNT, 0, 0); ++index) {
            std::string text(SendMessageA(list, LB_GETTEXTLEN, index, 0) + 1, '\0');
            text.resize(SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data())));
            users.push_back(text);
        }
        return users;
    }

    // The rows of HKLM_Run in the order the scan adds them: the values as the registry enumerates
    // them, then the store's records of the location.
    std::vector<StartupEntry> AddedForRun(const std::vector<Record>& records) const {
        std::vector<StartupEntry> rows;
        for (const std::string& name : ValueNames(HKEY_LOCAL_MACHINE, TestMachine::kRun)) {
            const RawValue value = GetRawValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, name);
            rows.push_back(
                StartupEntry::Enabled(name, reinterpret_cast<const char*>(value.data.data()), "HKLM_Run"));
        }
        for (const Record& record : records)
            if (record.key == "HKLM_Run")
                rows.push_back(StartupEntry::Disabled(record.name, record.path, "HKLM_Run"));
        return rows;
    }

    // The rows of "Startup": each user's shortcuts as the file system lists them, users in the order
    // of the users list, then the store's Startup records.
    std::vector<StartupEntry> AddedForStartup(const std::vector<Record>& records) const {
        std::vector<StartupEntry> rows;
        for (const std::string& user : Users()) {
            const std::string folder = "C:\\Docume~1\\" + user + "\\Start Menu\\Programs\\Startup\\";
            for (const std::string& name : FileNames(folder + "*.lnk"))
                rows.push_back(StartupEntry::Enabled(name, folder + name, user + "\\Startup"));
        }
        for (const Record& record : records)
            if (record.key.starts_with("Startup\\"))
                rows.push_back(
                    StartupEntry::Disabled(record.name, record.path, record.key.substr(8) + "\\Startup"));
        return rows;
    }

    TestMachine machine_;
    RecordingNotifier cues_;
    std::unique_ptr<MainWindow> form_;
};

TEST_F(RowOrderTest, NamesThatDifferInCasePunctuationDigitsOrAccentsStandWhereASortingListPutsThem) {
    // The registry cannot hold two names that differ only in case: the other spellings are records.
    // Accented letters in UTF-8, the code page the program (and this test) runs in.
    const char* const values[] = {"abc",   "a-b",          "a'b",   "a_b",      "a.b",
                                  "a b",   "co-op",        "item2", "item10",   "Item 3",
                                  "1tool", "10tool",       "9tool", "_tool",    "#x",
                                  "~x",    "zebra",        "Zeta",  "eta",      "\xC3\xA9t\xC3\xA9",
                                  "etz",   "\xC3\x80pple", "apple", "a\xC3\xA4"};
    const std::vector<Record> records = {
        {"HKLM_Run", "ABC", "C:\\Tools\\upper.exe"},
        {"HKLM_Run", "Abc", "C:\\Tools\\title.exe"},
        {"HKLM_Run", "ab", "C:\\Tools\\ab.exe"},
        {"HKLM_Run", "coop", "C:\\Tools\\coop.exe"},
        {"HKLM_Run", "ete", "C:\\Tools\\ete.exe"},
        {"HKLM_Run", "\xC3\x89t\xC3\xA9", "C:\\Tools\\capital.exe"},
        {"HKLM_Run", "item1", "C:\\Tools\\item1.exe"},
        {"HKLM_Run",
         "\xC3\xA0"
         "b",
         "C:\\Tools\\grave.exe"},
        {"HKLM_Run", "Apple", "C:\\Tools\\apple.exe"},
        {"HKCU_Run", "aardvark", "C:\\Tools\\elsewhere.exe"},
    };
    for (const char* name : values)
        SetTextValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, name, std::string("C:\\Run\\") + name + ".exe");
    WriteRecords(records);
    Open();

    const std::vector<StartupEntry> added = AddedForRun(records);
    ASSERT_EQ(added.size(), std::size(values) + 9);
    std::vector<StartupEntry> reversed(added.rbegin(), added.rend());
    const std::vector<std::string> sorted = OneAtATimeList(LVS_SORTASCENDING).Show(added);
    // No two names tie: the sorting list gives the same order whichever comes first.
    ASSERT_EQ(Names(OneAtATimeList(LVS_SORTASCENDING).Show(reversed)), Names(sorted));
    EXPECT_EQ(Shown(), sorted);
    EXPECT_EQ(Shown(), OneAtATimeList(0).Show(added));
}

TEST_F(RowOrderTest, EqualNamesKeepTheOrderInWhichTheScanAddedThem) {
    SetTextValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, "Pager", "C:\\Run\\pager.exe");
    SetTextValue(HKEY_LOCAL_MACHINE, TestMachine::kRun, "ss", "C:\\Run\\ss.exe");
    machine_.AddProfileShortcut("orderuser1", "Tool", "C:\\Tools\\tool1.exe");
    machine_.AddProfileShortcut("orderuser2", "Tool", "C:\\Tools\\tool2.exe");
    machine_.AddProfileShortcut("orderuser1", "ae", "C:\\Tools\\ae.exe");
    machine_.AddProfileShortcut("orderuser2", "\xC3\xA6",
                                "C:\\Tools\\ligature.exe");  // compares equal to ae.lnk
    const std::vector<Record> records = {
        {"HKLM_Run", "Pager", "C:\\Old\\pager2.exe"},
        {"Startup\\orderuser2", "Tool.lnk", "C:\\Tools\\t2.exe"},
        {"HKLM_Run", "\xC3\x9F", "C:\\Old\\sharp-s.exe"},
        {"HKLM_Run", "Pager", "C:\\Old\\pager3.exe"},
        {"Startup\\orderuser1", "Tool.lnk", "C:\\Tools\\t1.exe"},
    };
    WriteRecords(records);
    Open();

    // A registry location: the enabled row first, then the records in the store's order.
    EXPECT_EQ(Shown(), OneAtATimeList(0).Show(AddedForRun(records)));
    const std::vector<std::string> pagers = {"Pager|C:\\Run\\pager.exe|HKLM_Run|Enabled",
                                             "Pager|C:\\Old\\pager2.exe|HKLM_Run|Disabled",
                                             "Pager|C:\\Old\\pager3.exe|HKLM_Run|Disabled"};
    const std::vector<std::string> shown = Shown();
    EXPECT_NE(std::search(shown.begin(), shown.end(), pagers.begin(), pagers.end()), shown.end());

    // The Startup folders: the users in the order found, then the records in the store's order.
    SideBarClickItem(form_->Control(kXPBar_Location), 4);
    const std::vector<std::string> users = Users();
    const auto first = std::find(users.begin(), users.end(), "orderuser1");
    const auto second = std::find(users.begin(), users.end(), "orderuser2");
    ASSERT_TRUE(first != users.end() && second != users.end());
    const std::string early = first < second ? "orderuser1" : "orderuser2";
    const std::string late = first < second ? "orderuser2" : "orderuser1";
    EXPECT_EQ(Shown(), OneAtATimeList(0).Show(AddedForStartup(records)));
    const std::vector<std::string> tools = {
        "Tool.lnk|C:\\Docume~1\\" + early + "\\Start Menu\\Programs\\Startup\\Tool.lnk|" + early +
            "\\Startup|Enabled",
        "Tool.lnk|C:\\Docume~1\\" + late + "\\Start Menu\\Programs\\Startup\\Tool.lnk|" + late +
            "\\Startup|Enabled",
        "Tool.lnk|C:\\Tools\\t2.exe|orderuser2\\Startup|Disabled",
        "Tool.lnk|C:\\Tools\\t1.exe|orderuser1\\Startup|Disabled"};
    const std::vector<std::string> startup = Shown();
    EXPECT_NE(std::search(startup.begin(), startup.end(), tools.begin(), tools.end()), startup.end());
}

}  // namespace
