// Adding, disabling, enabling and removing entries, and the cases where nothing may be lost.
#include <filesystem>

#include "StartupTestSupport.h"
#include "Errors.h"
#include "ShellLink.h"
#include "UniqueHandle.h"
#include "StartupMessages.h"

namespace {

using Lines = std::vector<std::string>;

std::string TextOf(HKEY root, const std::string& path, const std::string& name) {
    const RawValue value = GetRawValue(root, path, name);
    if (!value.exists)
        return "<missing>";
    return (value.type == REG_EXPAND_SZ ? "expand:"
            : value.type == REG_SZ      ? ""
                                        : "other:") +
           std::string(reinterpret_cast<const char*>(value.data.data()));
}

StartupEntry RowNamed(const FakeStartupView& view, const std::string& name, const std::string& status) {
    for (const StartupEntry& row : view.rows)
        if (row.appName == name && row.Status() == status)
            return row;
    ADD_FAILURE() << "no row " << name << " " << status;
    return {};
}

// The names in a folder: beside the store, no lock and no temporary file once a change is done.
Lines NamesIn(const std::string& folder) {
    Lines names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

TEST_F(StartupListTest, AddWritesATextValueOrAShortcutAndChecksItsInput) {
    EXPECT_TRUE(StartupPresenter::AddButtonEnabled(" ", " "));
    EXPECT_FALSE(StartupPresenter::AddButtonEnabled("Pager", ""));
    EXPECT_FALSE(StartupPresenter::AddButtonEnabled("", "x"));
    list.SelectLocation("HKCU_Run");
    list.Button_AddClick("", "C:\\x.exe", std::nullopt);
    list.Button_AddClick("Pager", "", std::nullopt);
    EXPECT_EQ(view.focus, (std::vector{StartupField::ApplicationName, StartupField::ApplicationPath}));
    list.Button_AddClick("Pager", "C:\\Program Files\\Pager\\pager.exe -tray", std::nullopt);
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, kRunPath, "Pager"), "\"C:\\Program Files\\Pager\\pager.exe -tray\"");
    list.Button_AddClick("Pager", "C:\\Tools\\pager.exe", std::nullopt);  // replaces the text
    EXPECT_EQ(view.Lines(), Lines{"Pager|C:\\Tools\\pager.exe|HKCU_Run|Enabled|1"});
    DeleteKeyTree(HKEY_USERS, kDefaultRunOncePath);
    list.SelectLocation("HKU_RunOnce");
    list.Button_AddClick("Once", "%TEMP%\\once.exe", std::nullopt);  // the key is created; plain text
    EXPECT_EQ(TextOf(HKEY_USERS, kDefaultRunOncePath, "Once"), "%TEMP%\\once.exe");
    faults.Fail(RegCall::CreateKey, "RunOnce");
    list.SelectLocation("HKLM_RunOnce");
    list.Button_AddClick("Denied", "C:\\d.exe", std::nullopt);
    EXPECT_EQ(notifier.events,
              (Lines{"sound press", "Warning: You MUST specify the name for the application !",
                     "Warning: You MUST specify the path for the application !", "sound press",
                     "Error: Could NOT open registry !", "sound press",
                     "Error: [HKLM_RunOnce]:     - Could NOT write to registry !"}));
    EXPECT_FALSE(PathExists(StorePath()));

    TestProfile alice("alice");
    list.SelectLocation("Startup");
    notifier.events.clear();
    list.Button_AddClick("Notes", "C:\\Programs\\notes.exe", std::nullopt);
    EXPECT_EQ(notifier.events, Lines{"Warning: You MUST select a user for the Startup folder !"});
    EXPECT_EQ(view.focus.back(), StartupField::UsersList);
    list.Button_AddClick("Notes", "C:\\Programs\\notes.exe", alice.Name());
    EXPECT_EQ(ResolveShortcutTarget(alice.StartupFolder() + "Notes.lnk"), "C:\\Programs\\notes.exe");
    EXPECT_EQ(list.CurrentLocation(), "Startup");
    EXPECT_EQ(RowNamed(view, "Notes.lnk", "Enabled").location, alice.Name() + "\\Startup");
}

TEST_F(StartupListTest, DisablingAndEnablingMoveAnEntryThroughTheStoreAndBack) {
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "Pager", "C:\\Program Files\\Pager\\pager.exe -tray");
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "Env", "%SystemRoot%\\env.exe", REG_EXPAND_SZ);
    list.SelectLocation("HKCU_Run");
    list.DisableApp1Click(RowNamed(view, "Pager", "Enabled"));
    list.DisableApp1Click(RowNamed(view, "Env", "Enabled"));
    EXPECT_EQ(ValueNames(HKEY_CURRENT_USER, kRunPath), Lines{});
    EXPECT_EQ(ReadBytes(StorePath()),
              "HKCU_Run\r\nPager\r\nC:\\Program Files\\Pager\\pager.exe -tray\r\n"
              "HKCU_Run\r\nEnv\r\n%SystemRoot%\\env.exe\r\n");
    EXPECT_EQ(view.Lines(), (Lines{"Env|%SystemRoot%\\env.exe|HKCU_Run|Disabled|0",
                                   "Pager|C:\\Program Files\\Pager\\pager.exe -tray|HKCU_Run|Disabled|0"}));
    EXPECT_EQ(view.countLabel, "[HKCU_Run] = 0 apps will start with windows.");

    DeleteKeyTree(HKEY_CURRENT_USER, kRunPath);  // enabling creates a missing key
    list.EnableApp1Click(RowNamed(view, "Pager", "Disabled"));
    list.EnableApp1Click(RowNamed(view, "Env", "Disabled"));
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, kRunPath, "Pager"), "\"C:\\Program Files\\Pager\\pager.exe\" -tray");
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, kRunPath, "Env"), "expand:%SystemRoot%\\env.exe");
    EXPECT_EQ(ReadBytes(StorePath()), "");
    EXPECT_EQ(notifier.events, Lines{"sound press"});
    EXPECT_EQ(NamesIn(appDir.Path()), Lines{std::filesystem::path(StorePath()).filename().string()});
}

TEST_F(StartupListTest, AShortcutIsDisabledWithItsTargetAndComesBackUnderItsOwnName) {
    TestProfile alice("alice");
    ASSERT_TRUE(CreateShortcut("C:\\Programs\\notes.exe", alice.StartupFolder(), "Notes"));
    WriteBytes(alice.StartupFolder() + "Broken.lnk", "not a shell link");
    list.SelectLocation("Startup");
    list.DisableApp1Click(RowNamed(view, "Broken.lnk", "Enabled"));
    list.DisableApp1Click(RowNamed(view, "Notes.lnk", "Enabled"));
    const std::string key = "Startup\\" + alice.Name();
    EXPECT_EQ(notifier.events,
              (Lines{"sound press", "Error: [" + key + "]:     - " + kCouldNotReadShortcut}));
    EXPECT_TRUE(PathExists(alice.StartupFolder() + "Broken.lnk"));
    EXPECT_FALSE(PathExists(alice.StartupFolder() + "Notes.lnk"));
    EXPECT_EQ(ReadBytes(StorePath()), key + "\r\nNotes.lnk\r\nC:\\Programs\\notes.exe\r\n");

    list.EnableApp1Click(RowNamed(view, "Notes.lnk", "Disabled"));
    EXPECT_EQ(ResolveShortcutTarget(alice.StartupFolder() + "Notes.lnk"), "C:\\Programs\\notes.exe");
    EXPECT_FALSE(PathExists(alice.StartupFolder() + "Notes.lnk.lnk"));
    EXPECT_EQ(ReadBytes(StorePath()), "");
}

TEST_F(StartupListTest, DisablingChangesNothingWhenTheEntryCannotBeRecordedWhole) {
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "Pager", "p.exe");
    list.SelectLocation("HKCU_Run");
    const StartupEntry pager = RowNamed(view, "Pager", "Enabled");
    std::filesystem::create_directory(StorePath());  // the store cannot be written
    EXPECT_NE(ErrorOf([&] { list.DisableApp1Click(pager); }).find(StorePath()), std::string::npos);
    std::filesystem::remove(StorePath());
    list.DisableApp1Click(StartupEntry::Enabled("Two\nLines", "p.exe", "HKCU_Run"));
    list.DisableApp1Click(StartupEntry::Enabled("Pager", "other.exe", "HKCU_Run"));  // "?" stood for a letter
    EXPECT_EQ(TextOf(HKEY_CURRENT_USER, kRunPath, "Pager"), "p.exe");
    EXPECT_FALSE(PathExists(StorePath()));
    EXPECT_EQ(notifier.events,
              (Lines{"sound press", "Error: [HKCU_Run]:     - " + std::string(kLineBreakInEntry),
                     "Error: [HKCU_Run]:     - " + OtherValueText("Pager")}));

    // A value that cannot be deleted, or is gone: the record written before it goes is taken back,
    // so the entry shows once, where it stands, and the store is as it was.
    notifier.events.clear();
    WriteBytes(StorePath(), "HKCU_Run\r\nOld\r\no.exe");  // no line break at the end: rewritten whole
    faults.Fail(RegCall::DeleteValue, "Pager");
    EXPECT_EQ(list.DisableApp1Click(pager).kind(), Outcome::Kind::Failed);
    list.DisableApp1Click(StartupEntry::Enabled("Gone", "g.exe", "HKCU_Run"));
    EXPECT_EQ(notifier.events, (Lines{"Error: [HKCU_Run]:     - Could NOT delete from registry !",
                                      "Error: [HKCU_Run]:     - Could NOT delete from registry !"}));
    EXPECT_EQ(view.Lines(), (Lines{"Old|o.exe|HKCU_Run|Disabled|0", "Pager|p.exe|HKCU_Run|Enabled|1"}));
    EXPECT_EQ(ReadBytes(StorePath()), "HKCU_Run\r\nOld\r\no.exe");
}

TEST_F(StartupListTest, EnablingKeepsTheRecordUntilTheEntryIsBack) {
    TestProfile carol("carol", false);
    WriteBytes(StorePath(), "HKLM_Run\r\nPager\r\na.exe\r\nHKLM_Run\r\nPager\r\nb.exe\r\nStartup\\" +
                                carol.Name() + "\r\nNotes.lnk\r\nC:\\n.exe\r\n");
    const std::string store = ReadBytes(StorePath());
    faults.Fail(RegCall::CreateKey, "CurrentVersion\\Run");
    list.EnableApp1Click(StartupEntry::Disabled("Pager", "a.exe", "HKLM_Run"));
    Faults().rules = {{RegCall::SetValue, "Pager"}};
    EXPECT_EQ(ErrorOf([&] { list.EnableApp1Click(StartupEntry::Disabled("Pager", "a.exe", "HKLM_Run")); }),
              "Failed to set data for 'Pager'");
    list.EnableApp1Click(StartupEntry::Disabled("Notes.lnk", "C:\\n.exe", carol.Name() + "\\Startup"));
    EXPECT_EQ(ReadBytes(StorePath()), store);
    EXPECT_EQ(notifier.events,
              (Lines{"Error: [HKLM_Run]:     - Could NOT write to registry !",
                     "Error: [Startup\\" + carol.Name() + "]:     - " + kCouldNotCreateShortcut}));

    // Two records of one name: the selected one is written back and both leave the store.
    Faults().rules.clear();
    list.EnableApp1Click(StartupEntry::Disabled("Pager", "b.exe", "HKLM_Run"));
    EXPECT_EQ(TextOf(HKEY_LOCAL_MACHINE, kRunPath, "Pager"), "b.exe");
    EXPECT_EQ(ReadBytes(StorePath()), "Startup\\" + carol.Name() + "\r\nNotes.lnk\r\nC:\\n.exe\r\n");
}

TEST_F(StartupListTest, RemovingDeletesOnlyTheEntryTheRowShows) {
    TestProfile alice("alice");
    ASSERT_TRUE(CreateShortcut("C:\\n.exe", alice.StartupFolder(), "Notes"));
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "Pager", "p.exe");
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "Tool", "t.exe");
    WriteBytes(StorePath(), "HKCU_Run\r\nPager\r\nold.exe\r\nHKCU_Run\r\nPager\r\nolder.exe\r\n");
    list.SelectLocation("HKCU_Run");
    list.RemoveApp1Click(RowNamed(view, "Pager", "Disabled"));  // both records go, the value stays
    EXPECT_EQ(ReadBytes(StorePath()), "");
    EXPECT_EQ(NamesIn(appDir.Path()), Lines{std::filesystem::path(StorePath()).filename().string()});
    list.RemoveApp1Click(StartupEntry::Enabled("Tool", "another.exe", "HKCU_Run"));
    list.RemoveApp1Click(RowNamed(view, "Pager", "Enabled"));
    EXPECT_EQ(ValueNames(HKEY_CURRENT_USER, kRunPath), Lines{"Tool"});

    // The location comes from the row: one user's folder, although the bar shows a registry tag.
    list.ListBox1Click(alice.Name());
    list.RemoveApp1Click(RowNamed(view, "Notes.lnk", "Enabled"));
    EXPECT_FALSE(PathExists(alice.StartupFolder() + "Notes.lnk"));
    DeleteKeyTree(HKEY_CURRENT_USER, kRunPath);
    list.RemoveApp1Click(StartupEntry::Enabled("Tool", "t.exe", "HKCU_Run"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kRunPath));
    EXPECT_EQ(notifier.events, (Lines{"sound press", "Error: [HKCU_Run]:     - " + OtherValueText("Tool"),
                                      "Error: [HKCU_Run]:     - Could NOT delete from registry !"}));
}

TEST_F(StartupListTest, AValueRightUnderTheUserKeyIsNeverTakenForAShortcutFile) {
    WriteBytes(appDir.Path() + "\\program.exe", "MZ");
    SetTextValue(HKEY_CURRENT_USER, "", "TellurinRootValue", appDir.Path() + "\\program.exe");
    list.SelectLocation("Startup");
    const StartupEntry row = RowNamed(view, "TellurinRootValue", "Enabled");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, nullptr, "TellurinRootValue");
    EXPECT_EQ(row.location, "Startup");
    list.DisableApp1Click(row);
    list.RemoveApp1Click(row);
    EXPECT_TRUE(PathExists(appDir.Path() + "\\program.exe"));
    EXPECT_FALSE(PathExists(StorePath()));
    const std::string refused = "Error: [Startup]:     - " + NotAStartupShortcutText(row.appPath);
    EXPECT_EQ(notifier.events, (Lines{"sound press", refused, refused}));
}

TEST_F(StartupListTest, AShortcutRowDisabledWithATagOnTheBarIsTreatedAsAValueOfThatTag) {
    TestProfile alice("alice");
    ASSERT_TRUE(CreateShortcut("C:\\n.exe", alice.StartupFolder(), "Notes"));
    list.ListBox1Click(alice.Name());
    list.DisableApp1Click(RowNamed(view, "Notes.lnk", "Enabled"));
    EXPECT_TRUE(PathExists(alice.StartupFolder() + "Notes.lnk"));
    EXPECT_EQ(notifier.events, Lines{"Error: [HKLM_Run]:     - Could NOT delete from registry !"});
    EXPECT_FALSE(PathExists(StorePath()));
}

// A shortcut held open without delete sharing cannot be deleted: neither action is silent about it,
// and neither leaves a record behind.
TEST_F(StartupListTest, AShortcutThatCannotBeDeletedStaysEnabledAndSaysWhy) {
    TestProfile alice("alice");
    ASSERT_TRUE(CreateShortcut("C:\\n.exe", alice.StartupFolder(), "Notes"));
    const std::string file = alice.StartupFolder() + "Notes.lnk";
    list.SelectLocation("Startup");
    const StartupEntry notes = RowNamed(view, "Notes.lnk", "Enabled");
    notifier.events.clear();
    {
        UniqueFile held(
            CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_EQ(list.DisableApp1Click(notes).kind(), Outcome::Kind::Failed);
        EXPECT_EQ(list.RemoveApp1Click(notes).kind(), Outcome::Kind::Failed);
    }
    EXPECT_FALSE(PathExists(StorePath()));
    ASSERT_EQ(notifier.events.size(), 2u);
    for (const std::string& event : notifier.events)
        EXPECT_EQ(
            event.rfind("Error: [Startup\\" + alice.Name() + "]:     - Could NOT delete '" + file + "': ", 0),
            0u)
            << event;
    list.ListBox1Click(alice.Name());
    EXPECT_EQ(view.Lines(), Lines{"Notes.lnk|" + file + "|" + alice.Name() + "\\Startup|Enabled|1"});
}

}  // namespace
