// The location table and the order in which the list shows rows.
#include <gtest/gtest.h>

#include "StartupEntry.h"
#include "StartupSources.h"

namespace {

std::vector<std::string> Names(const std::vector<StartupEntry>& rows) {
    std::vector<std::string> names;
    for (const StartupEntry& row : rows)
        names.push_back(row.appName + "@" + row.location);
    return names;
}

TEST(StartupEntryTest, OrdersByTheSystemComparisonAndKeepsEqualNamesInTheirOrder) {
    std::vector<StartupEntry> rows{
        StartupEntry::Enabled("beta", "", "HKCU_Run"),
        StartupEntry::Enabled("Alpha", "", "HKCU_Run"),
        StartupEntry::Disabled("alpha", "", "HKCU_Run"),
        StartupEntry::Enabled("Pager", "", "alice\\Startup"),
        StartupEntry::Enabled("Pager", "", "bob\\Startup"),
        StartupEntry::Enabled("10x", "", "HKCU_Run"),
        StartupEntry::Enabled("2x", "", "HKCU_Run"),
    };
    OrderByAppName(rows);
    // lstrcmpA sorts case-insensitively first (lower case before upper for equal letters), digits
    // as characters, and keeps the two Pager rows in the order they were added.
    EXPECT_EQ(Names(rows),
              (std::vector<std::string>{"10x@HKCU_Run", "2x@HKCU_Run", "alpha@HKCU_Run", "Alpha@HKCU_Run",
                                        "beta@HKCU_Run", "Pager@alice\\Startup", "Pager@bob\\Startup"}));
    EXPECT_EQ(rows[2].Status(), "Disabled");
    EXPECT_EQ(rows[2].StateImage(), 0);
    EXPECT_EQ(rows[3].StateImage(), 1);
}

TEST(StartupEntryTest, OnlyStationKeysNameARegistryLocation) {
    ASSERT_NE(FindStationKey("HKU_RunOnce"), nullptr);
    EXPECT_EQ(FindStationKey("HKU_RunOnce")->root, HKEY_USERS);
    EXPECT_STREQ(FindStationKey("HKU_RunOnce")->keyPath,
                 ".DEFAULT\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce");
    EXPECT_EQ(FindStationKey("HKCU_Run")->root, HKEY_CURRENT_USER);
    EXPECT_EQ(FindStationKey("hkcu_run"), nullptr);  // tags compare exactly
    EXPECT_EQ(FindStationKey("Startup"), nullptr);
    EXPECT_EQ(FindStationKey("Run"), nullptr);  // a kind of each user's keys, not a key of the station
    EXPECT_EQ(FindStationKey("HKCU_Run\\alice"), nullptr);
}

}  // namespace
