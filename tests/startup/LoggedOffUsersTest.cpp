// Users who are not logged on: their Run family read from their NTUSER.DAT (written by hivex), listed
// like a logged-on user's, never changed, and a file that cannot be read costs only that user's rows.
#include <algorithm>
#include <fstream>

#include "StartupTestSupport.h"
#include "StartupMessages.h"
#include "TExeInfo.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kCarol = "S-1-5-21-4-4-4-1003";
const std::string kProfileList = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\";

class LoggedOffUsersTest : public StartupListTest {
protected:
    LoggedOffUsersTest() {
        SetTextValue(HKEY_LOCAL_MACHINE, kProfileList + kCarol, "ProfileImagePath", profile.Path());
        WriteBytes(HiveFile(), ReadBytes(TELLURIN_USER_HIVE));
        ClearValues(HKEY_CURRENT_USER, kRunPath);
    }
    ~LoggedOffUsersTest() override {
        DeleteKeyTree(HKEY_USERS, kCarol);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kProfileList + kCarol);
    }
    std::string HiveFile() const { return profile.Path() + "\\NTUSER.DAT"; }
    std::string Carol() const { return profile.Path().substr(3); }  // the folder's name

    ScratchFolder profile{"C:\\" + UniqueName("carol")};
};

TEST_F(LoggedOffUsersTest, ALoggedOffUsersEntriesAreListedFromTheFileAndNeverChanged) {
    const std::string carol = Carol();
    list.SelectLocation("HKCU_Run");
    EXPECT_EQ(view.Lines(), (Lines{"Agent|C:\\Agent\\agent.exe|" + carol + "\\Policies|Enabled|1",
                                   "Chat|C:\\Programs\\Chat\\chat.exe|" + carol + "\\Run|Enabled|1",
                                   "Sync|%ProgramFiles%\\Sync\\sync.exe|" + carol + "\\Run|Disabled|0"}));
    EXPECT_EQ(view.countLabel, "[HKCU_Run] = 2 apps will start with windows.");
    for (const StartupEntry& row : view.rows)
        EXPECT_EQ(row.hold, EntryHold::LoggedOff);
    list.SelectLocation("HKU_RunOnce");
    EXPECT_EQ(view.Lines(), Lines{"Welcome|C:\\Setup\\welcome.exe|" + carol + "\\RunOnce|Enabled|1"});

    // Nothing is written into a file Windows may load at any moment; the refusals name the user.
    const std::string before = ReadBytes(HiveFile());
    list.SelectLocation("HKCU_Run");
    const std::string refused = AtLocation("Run\\" + carol, NotLoggedOnText(carol));
    EXPECT_EQ(list.Book().DisableEntry(view.rows[1], "HKCU_Run").Text(), refused);
    EXPECT_EQ(list.Book().RemoveEntry(view.rows[1]).Text(), refused);
    EXPECT_EQ(list.Book().EnableEntry(view.rows[2]).Text(), refused);
    EXPECT_EQ(ReadBytes(HiveFile()), before);
    EXPECT_FALSE(PathExists(StorePath()));

    // Once carol logs on, her loaded hive is read instead, and her rows are not listed twice.
    SetTextValue(HKEY_USERS, kCarol + "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Chat",
                 "live.exe");
    list.SelectLocation("HKCU_Run");
    EXPECT_EQ(view.Lines(), Lines{"Chat|live.exe|" + carol + "\\Run|Enabled|1"});
}

TEST_F(LoggedOffUsersTest, AFileThatCannotBeReadCostsOnlyThatUsersRowsWithOneNotePerStation) {
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "Own", "own.exe");
    const std::string whole = ReadBytes(HiveFile());
    WriteBytes(HiveFile(), whole.substr(0, whole.size() / 2 + 100));  // cut inside the key cells

    list.SelectLocation("HKCU_Run");
    EXPECT_EQ(view.Lines(), Lines{"Own|own.exe|HKCU_Run|Enabled|1"});
    EXPECT_EQ(notifier.events, Lines{"sound press"});  // no box for it, a tip on the count line
    EXPECT_NE(view.notes.find(Carol() + " is not logged on"), std::string::npos) << view.notes;

    // A script hears of it once for the station, whatever views it lists; this computer named by
    // its own name is read the same way.
    StartupBook book(FaultyRegistryApi());
    book.SetAppDir(appDir.Path());
    book.SetStation(StationNamed(TExeInfo::ComputerName(), TExeInfo::ComputerName(), "C:\\"));
    book.KeepLoggedOnUsers(true);
    StartupPage run, runOnce;
    book.ReadView("HKCU_Run", run);
    book.ReadView("HKU_RunOnce", runOnce);
    ASSERT_EQ(run.notes.size(), 1u);
    EXPECT_NE(run.notes[0].find(Carol() + " is not logged on"), std::string::npos) << run.notes[0];
    EXPECT_NE(run.notes[0].find("NTUSER.DAT"), std::string::npos) << run.notes[0];
    EXPECT_TRUE(runOnce.notes.empty());
    EXPECT_TRUE(run.problems.empty());

    // A profile that never logged on has no file, and is passed over without a word.
    DeleteFileA(HiveFile().c_str());
    StartupPage none;
    list.Book().ReadView("HKCU_Run", none);
    EXPECT_TRUE(none.notes.empty());
}

// Every view of a script's listing, and each view the window shows, reads ProfileList once: for the
// logged-on users' names, the logged-off users' files and the Startup folders alike.
TEST_F(LoggedOffUsersTest, ProfileListIsReadOncePerListingAndOncePerShownView) {
    ScopedFaults faults;
    auto profileListReads = [] {
        const auto& opened = Faults().opened;
        return std::count_if(opened.begin(), opened.end(),
                             [](const std::string& path) { return path.ends_with("ProfileList"); });
    };
    StartupBook script(FaultyRegistryApi());
    script.SetAppDir(appDir.Path());
    script.KeepLoggedOnUsers(true);
    for (const StartupSource* view : Views()) {
        StartupPage page;
        script.ReadView(view->tag, page);
    }
    EXPECT_EQ(profileListReads(), 1);

    StartupBook window(FaultyRegistryApi());
    window.SetAppDir(appDir.Path());
    for (int refresh = 0; refresh < 2; ++refresh) {
        StartupPage page;
        window.ReadView("HKCU_Run", page);
    }
    EXPECT_EQ(profileListReads(), 3);  // users log on and off while the window is open
}

}  // namespace
