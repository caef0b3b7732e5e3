// Refreshing the list: rows of a location in App Name order, the count label, the users, one user's folder.
#include "StartupTestSupport.h"
#include "ShellLink.h"

namespace {

using Lines = std::vector<std::string>;

TEST_F(StartupListTest, ARegistryViewShowsTextValuesAndCountsOnlyEnabledRows) {
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "", "C:\\default.exe");
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "beta", "b.exe");
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "Alpha", "%ProgramFiles%\\a.exe", REG_EXPAND_SZ);
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "empty", "");
    WriteBytes(StorePath(), "HKCU_Run\r\nalpha\r\nz.exe\r\n");
    list.SelectLocation("HKCU_Run");
    EXPECT_EQ(notifier.events, Lines{"sound press"});
    EXPECT_EQ(list.CurrentLocation(), "HKCU_Run");
    EXPECT_EQ(view.Lines(),
              (Lines{"alpha|z.exe|HKCU_Run|Disabled|0", "Alpha|%ProgramFiles%\\a.exe|HKCU_Run|Enabled|1",
                     "beta|b.exe|HKCU_Run|Enabled|1", "empty||HKCU_Run|Enabled|1"}));
    EXPECT_EQ(view.countLabel, "[HKCU_Run] = 3 apps will start with windows.");

    ClearValues(HKEY_CURRENT_USER, kRunPath);
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "beta", "b.exe");
    list.RefreshStartupList();
    EXPECT_EQ(view.countLabel, "[HKCU_Run] = 1 app will start with windows.");
    ClearValues(HKEY_CURRENT_USER, kRunPath);
    list.SelectLocation("HKU_RunOnce");
    EXPECT_EQ(view.countLabel, "[HKU_RunOnce] = 0 apps will start with windows.");
}

TEST_F(StartupListTest, AValueThatIsNotTextEndsTheRefreshAfterShowingTheRowsBeforeIt) {
    list.SelectLocation("HKLM_Run");
    const std::string label = *view.countLabel;
    for (const char* name : {"a1", "c3", "e5"})
        SetTextValue(HKEY_LOCAL_MACHINE, kRunPath, name, "x.exe");
    SetNumberValue(HKEY_LOCAL_MACHINE, kRunPath, "b2", 1);
    WriteBytes(StorePath(), "HKLM_Run\r\nOff\r\noff.exe\r\n");
    EXPECT_EQ(ErrorOf([&] { list.RefreshStartupList(); }), "Invalid data type for 'b2'");
    Lines before;
    for (const std::string& name : ValueNames(HKEY_LOCAL_MACHINE, kRunPath)) {
        if (name == "b2")
            break;
        before.push_back(name + "|x.exe|HKLM_Run|Enabled|1");
    }
    EXPECT_EQ(view.Lines(), before);
    EXPECT_EQ(view.countLabel, label);
}

TEST_F(StartupListTest, AKeyThatCannotBeOpenedIsReportedAndTheRefreshGoesOn) {
    SetTextValue(HKEY_LOCAL_MACHINE, kRunPath, "Pager", "p.exe");
    WriteBytes(StorePath(), "HKLM_Run\r\nOff\r\noff.exe\r\n");
    faults.Fail(RegCall::OpenKey, "CurrentVersion\\Run");
    list.RefreshStartupList();
    EXPECT_EQ(notifier.events, Lines{"Error: Could NOT open registry !"});
    EXPECT_EQ(Faults().openMasks.front(),
              static_cast<REGSAM>(KEY_ALL_ACCESS));  // the scan asks for full access
    EXPECT_EQ(view.Lines(), Lines{"Off|off.exe|HKLM_Run|Disabled|0"});
    EXPECT_EQ(view.countLabel, "[HKLM_Run] = 0 apps will start with windows.");
}

TEST_F(StartupListTest, TheStartupViewShowsEveryUsersShortcutsAndFillsTheUsers) {
    TestProfile alice("alice"), bob("bob"), carol("carol", false);
    ASSERT_TRUE(CreateShortcut("C:\\n.exe", alice.StartupFolder(), "Notes"));
    ASSERT_TRUE(CreateShortcut("C:\\h.exe", alice.StartupFolder(), "Hidden"));
    SetFileAttributesA((alice.StartupFolder() + "Hidden.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN);
    WriteBytes(alice.StartupFolder() + "tool.exe", "MZ");
    ASSERT_TRUE(CreateShortcut("C:\\n.exe", bob.StartupFolder(), "Notes"));
    WriteBytes(StorePath(), "Startup\\" + bob.Name() + "\r\nOld.lnk\r\nC:\\old.exe\r\n");
    list.SelectLocation("Startup");

    Lines users;
    for (const std::string& user : view.users)
        if (user == alice.Name() || user == bob.Name() || user == carol.Name())
            users.push_back(user);
    Lines expectedUsers{alice.Name(), bob.Name(), carol.Name()};
    std::sort(expectedUsers.begin(), expectedUsers.end());
    std::sort(users.begin(), users.end());
    EXPECT_EQ(users, expectedUsers);
    Lines ours;
    for (const std::string& line : view.Lines())
        if (line.find(alice.Name()) != std::string::npos || line.find(bob.Name()) != std::string::npos)
            ours.push_back(line);
    const std::string a = alice.Name(), b = bob.Name();
    EXPECT_EQ(ours, (Lines{"Hidden.lnk|" + alice.StartupFolder() + "Hidden.lnk|" + a + "\\Startup|Enabled|1",
                           "Notes.lnk|" + alice.StartupFolder() + "Notes.lnk|" + a + "\\Startup|Enabled|1",
                           "Notes.lnk|" + bob.StartupFolder() + "Notes.lnk|" + b + "\\Startup|Enabled|1",
                           "Old.lnk|C:\\old.exe|" + b + "\\Startup|Disabled|0"}));
    const auto enabled = std::count_if(view.rows.begin(), view.rows.end(),
                                       [](const StartupEntry& row) { return row.Status() == "Enabled"; });
    EXPECT_EQ(view.countLabel, "[Startup] = " + std::to_string(enabled) + " apps will start with windows.");

    // One user's folder: its rows and its disabled records only; the label and the location stay.
    list.SelectLocation("HKCU_Run");
    const auto label = view.countLabel;
    list.ListBox1Click(bob.Name());
    EXPECT_EQ(view.Lines(),
              (Lines{"Notes.lnk|" + bob.StartupFolder() + "Notes.lnk|" + b + "\\Startup|Enabled|1",
                     "Old.lnk|C:\\old.exe|" + b + "\\Startup|Disabled|0"}));
    EXPECT_EQ(view.countLabel, label);
    EXPECT_EQ(list.CurrentLocation(), "HKCU_Run");
}

TEST_F(StartupListTest, ARecordCutShortInTheStoreEndsTheRefreshAfterTheRowsAndTheLabel) {
    TestProfile dave("dave");
    const std::string row = "A.lnk|C:\\Startup\\a.exe|" + dave.Name() + "\\Startup|Disabled|0";
    WriteBytes(StorePath(), "Startup\\" + dave.Name() + "\r\nA.lnk\r\nC:\\Startup\\a.exe");
    EXPECT_EQ(ErrorOf([&] { list.SelectLocation("Startup"); }), "List index out of bounds (3)");
    const Lines shown = view.Lines();
    EXPECT_NE(std::find(shown.begin(), shown.end(), row), shown.end());
    EXPECT_EQ(view.countLabel,
              "[Startup] = " + std::to_string(shown.size() - 1) + " apps will start with windows.");
}

}  // namespace
