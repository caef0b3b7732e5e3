// Every user's startup entries: other logged-on users' Run and RunOnce keys, the running user's RunOnce
// and the policy Run keys, listed, counted, switched, disabled and enabled in their users' hives.
#include "StartupTestSupport.h"
#include "LocationKeys.h"
#include "LocationViews.h"
#include "StartupMessages.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kSoftware = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\";
const std::string kPolicyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";
const std::string kProfileList = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\";
const std::string kApprovedRun =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
const std::string kBob = "S-1-5-21-4-4-4-1001", kNameless = "S-1-5-21-4-4-4-1002";

bool Shows(const FakeStartupView& view, const std::string& line) {
    const Lines lines = view.Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// bob's hive is loaded and ProfileList names him; the nameless user's hive is loaded without a profile.
class OtherUsersTest : public StartupListTest {
protected:
    OtherUsersTest() {
        SetTextValue(HKEY_LOCAL_MACHINE, kProfileList + kBob, "ProfileImagePath", "%SystemDrive%\\users\\bob",
                     REG_EXPAND_SZ);
        ClearValues(HKEY_CURRENT_USER, kPolicyPath);
        ClearValues(HKEY_LOCAL_MACHINE, kPolicyPath);
        ClearValues(HKEY_CURRENT_USER, kRunOncePath);
    }
    ~OtherUsersTest() override {
        for (const std::string& hive : {kBob, kNameless, kBob + "_Classes"})
            DeleteKeyTree(HKEY_USERS, hive);
        DeleteKeyTree(HKEY_LOCAL_MACHINE, kProfileList + kBob);
    }
    static std::string Key(const std::string& sid, const std::string& tail) { return sid + kSoftware + tail; }

    KeySnapshot hkcuRunOnce{HKEY_CURRENT_USER, kRunOncePath};
    KeySnapshot hkcuPolicy{HKEY_CURRENT_USER, kPolicyPath}, hklmPolicy{HKEY_LOCAL_MACHINE, kPolicyPath};
};

TEST_F(OtherUsersTest, OtherUsersRunRowsAreNamedCountedAndSwitchedAsTheirOwn) {
    SetTextValue(HKEY_CURRENT_USER, kRunPath, "Own", "own.exe");
    SetTextValue(HKEY_USERS, Key(kBob, "Run"), "Chat", "chat.exe");
    SetTextValue(HKEY_USERS, Key(kBob, "Run"), "Sync", "sync.exe");
    SetTextValue(HKEY_USERS, Key(kNameless, "Run"), "Music", "music.exe");
    SetTextValue(HKEY_USERS, Key(kBob + "_Classes", "Run"), "Classes", "no.exe");
    std::string off(12, '\0');
    off[0] = 3;
    SetRawValue(HKEY_USERS, kBob + kApprovedRun, "Sync", REG_BINARY, off.data(), 12);

    list.SelectLocation("HKCU_Run");
    EXPECT_EQ(view.Lines(),
              (Lines{"Chat|chat.exe|bob\\Run|Enabled|1", "Music|music.exe|" + kNameless + "\\Run|Enabled|1",
                     "Own|own.exe|HKCU_Run|Enabled|1", "Sync|sync.exe|bob\\Run|Disabled|0"}));
    EXPECT_EQ(view.countLabel, "[HKCU_Run] = 3 apps will start with windows.");
    EXPECT_EQ(notifier.events, Lines{"sound press"});

    // Enable of a row Windows holds off switches bob's own switch back on.
    EXPECT_TRUE(list.EnableApp1Click(view.rows.back()).IsDone());
    EXPECT_EQ(GetRawValue(HKEY_USERS, kBob + kApprovedRun, "Sync").data[0], 2);
    EXPECT_TRUE(Shows(view, "Sync|sync.exe|bob\\Run|Enabled|1"));
}

TEST_F(OtherUsersTest, DisableAndEnableWorkInTheUsersKeyAndARecordOfAUserNotLoggedOnStays) {
    SetTextValue(HKEY_USERS, Key(kBob, "Run"), "Chat", "%ProgramFiles%\\chat.exe", REG_EXPAND_SZ);
    list.SelectLocation("HKCU_Run");
    ASSERT_TRUE(list.DisableApp1Click(view.rows.at(0)).IsDone());
    EXPECT_FALSE(GetRawValue(HKEY_USERS, Key(kBob, "Run"), "Chat").exists);
    EXPECT_EQ(ReadBytes(StorePath()), "Run\\bob\r\nChat\r\n%ProgramFiles%\\chat.exe\r\n");
    EXPECT_EQ(view.Lines(), Lines{"Chat|%ProgramFiles%\\chat.exe|bob\\Run|Disabled|0"});
    ASSERT_TRUE(list.EnableApp1Click(view.rows.at(0)).IsDone());
    EXPECT_EQ(GetRawValue(HKEY_USERS, Key(kBob, "Run"), "Chat").type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(ReadBytes(StorePath()), "");
    EXPECT_TRUE(ValueNames(HKEY_CURRENT_USER, kRunPath).empty());  // never the running user's key

    // carol logged off: her record shows, and enabling it is refused with her name; nothing is written.
    WriteBytes(StorePath(), "Run\\carol\r\nNotes\r\nnotes.exe\r\n");
    list.RefreshStartupList();
    ASSERT_EQ(view.Lines(), (Lines{"Chat|%ProgramFiles%\\chat.exe|bob\\Run|Enabled|1",
                                   "Notes|notes.exe|carol\\Run|Disabled|0"}));
    const Outcome refused = list.EnableApp1Click(view.rows.at(1));
    EXPECT_EQ(refused.kind(), Outcome::Kind::Refused);
    EXPECT_EQ(refused.Text(), AtLocation("Run\\carol", NotLoggedOnText("carol")));
    EXPECT_EQ(ReadBytes(StorePath()), "Run\\carol\r\nNotes\r\nnotes.exe\r\n");
}

TEST_F(OtherUsersTest, RunOnceAndPolicyRowsAreListedAndPolicyRowsAreNotChanged) {
    SetTextValue(HKEY_CURRENT_USER, kRunOncePath, "Setup", "setup.exe");
    SetTextValue(HKEY_USERS, Key(kBob, "RunOnce"), "Finish", "finish.exe");
    SetTextValue(HKEY_USERS, Key(kBob, "Policies\\Explorer\\Run"), "Agent", "agent.exe");
    SetTextValue(HKEY_LOCAL_MACHINE, kPolicyPath, "Guard", "guard.exe");

    list.SelectLocation("HKU_RunOnce");
    EXPECT_EQ(view.Lines(),
              (Lines{"Finish|finish.exe|bob\\RunOnce|Enabled|1", "Setup|setup.exe|HKCU_RunOnce|Enabled|1"}));
    ASSERT_TRUE(list.DisableApp1Click(view.rows.at(1)).IsDone());
    EXPECT_EQ(ReadBytes(StorePath()), "HKCU_RunOnce\r\nSetup\r\nsetup.exe\r\n");
    EXPECT_TRUE(Shows(view, "Setup|setup.exe|HKCU_RunOnce|Disabled|0"));

    list.SelectLocation("HKLM_Run");
    EXPECT_EQ(view.Lines(), Lines{"Guard|guard.exe|HKLM_Policies|Enabled|1"});
    list.SelectLocation("HKCU_Run");
    EXPECT_EQ(view.Lines(), Lines{"Agent|agent.exe|bob\\Policies|Enabled|1"});
    EXPECT_EQ(view.countLabel, "[HKCU_Run] = 1 app will start with windows.");
    for (const StartupEntry& row :
         {view.rows.at(0), StartupEntry::Enabled("Guard", "guard.exe", "HKLM_Policies")}) {
        EXPECT_EQ(list.Book().DisableEntry(row, list.CurrentLocation()).Text(), AtLocation(row.location, kSetByPolicy));
        EXPECT_EQ(list.Book().RemoveEntry(row).Text(), AtLocation(row.location, kSetByPolicy));
    }
    EXPECT_TRUE(GetRawValue(HKEY_USERS, Key(kBob, "Policies\\Explorer\\Run"), "Agent").exists);
    EXPECT_TRUE(GetRawValue(HKEY_LOCAL_MACHINE, kPolicyPath, "Guard").exists);
    EXPECT_EQ(ReadBytes(StorePath()), "HKCU_RunOnce\r\nSetup\r\nsetup.exe\r\n");
}

TEST(UserLocationTexts, NewLocationsConvertAndAreTypedInAnyCase) {
    EXPECT_EQ(ToLocationKey("bob\\Run"), "Run\\bob");
    EXPECT_EQ(ToLocationKey("bob\\RunOnce"), "RunOnce\\bob");
    EXPECT_EQ(ToLocationKey("bob\\Startup"), "Startup\\bob");
    EXPECT_FALSE(IsStartupKey("Run\\MyStartup"));  // a user may be named anything
    EXPECT_EQ(CanonicalLocation("BOB\\runonce"), "BOB\\RunOnce");
    EXPECT_EQ(CanonicalLocation("hkcu_policies"), "HKCU_Policies");
    EXPECT_EQ(CanonicalLocation("hkcu_runonce"), "HKCU_RunOnce");
    EXPECT_EQ(ViewOfLocation("bob\\Policies"), "HKCU_Run");
    EXPECT_EQ(ViewOfLocation("bob\\RunOnce"), "HKU_RunOnce");
    EXPECT_EQ(ViewOfLocation("HKLM_Policies"), "HKLM_Run");
    EXPECT_TRUE(IsPolicyLocation("bob\\Policies"));
    EXPECT_FALSE(IsPolicyLocation("bob\\Run"));
}

}  // namespace
