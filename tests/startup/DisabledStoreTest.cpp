// The DisabledStore file: its name, its exact bytes, listing records as rows, and safe rewriting.
#include <filesystem>

#include "StartupTestSupport.h"
#include "Errors.h"
#include "DisabledStore.h"

namespace {

class DisabledStoreTest : public ::testing::Test {
protected:
    ScratchFolder folder{"C:\\" + UniqueName("tellurin_store")};
    DisabledStore store{DisabledStorePath(folder.Path(), "WS01")};

    std::vector<std::string> Rows(const std::string& location, const std::optional<std::string>& user) {
        std::vector<StartupEntry> rows;
        store.AddDisabledRows(location, user, rows);
        std::vector<std::string> lines;
        for (const StartupEntry& row : rows)
            lines.push_back(row.appName + "|" + row.appPath + "|" + row.location + "|" + row.Status());
        return lines;
    }
};

using Lines = std::vector<std::string>;

TEST_F(DisabledStoreTest, AppendsWholeRecordsWithCrLfAndStartsThemOnALineOfTheirOwn) {
    EXPECT_EQ(DisabledStorePath("D:\\Tools", "WS01"), "D:\\Tools\\WS01_reg_disabled.ini");
    EXPECT_EQ(DisabledStorePath("C:\\", ""), "C:\\\\_reg_disabled.ini");

    store.AppendDisabledRecord("HKCU_Run", "Pager", "C:\\Tools\\pager.exe -tray");
    EXPECT_EQ(ReadBytes(store.Path()), "HKCU_Run\r\nPager\r\nC:\\Tools\\pager.exe -tray\r\n");
    store.AppendDisabledRecord("Startup\\alice", "Notes.lnk", "");
    EXPECT_EQ(ReadBytes(store.Path()),
              "HKCU_Run\r\nPager\r\nC:\\Tools\\pager.exe -tray\r\nStartup\\alice\r\nNotes.lnk\r\n\r\n");

    // Edited by hand without a final break, or cut short by a NUL: the record must not be glued on.
    WriteBytes(store.Path(), "HKLM_Run\nA\na.exe");
    store.AppendDisabledRecord("HKLM_Run", "B", "b.exe");
    EXPECT_EQ(ReadBytes(store.Path()), "HKLM_Run\r\nA\r\na.exe\r\nHKLM_Run\r\nB\r\nb.exe\r\n");
    WriteBytes(store.Path(), std::string("HKLM_Run\r\nA\r\na.exe\r\n\0junk", 25));
    store.AppendDisabledRecord("HKLM_Run", "B", "b.exe");
    EXPECT_EQ(ReadBytes(store.Path()), "HKLM_Run\r\nA\r\na.exe\r\nHKLM_Run\r\nB\r\nb.exe\r\n");
}

TEST_F(DisabledStoreTest, ListsTheRecordsOfOneLocationTestingEveryLine) {
    WriteBytes(store.Path(),
               "HKCU_Run\nPager\nC:\\p.exe\n"
               "HKLM_Run\nHKCU_Run\nfake\n"
               "HKCU_Run\\alice\nOdd\nodd.exe\n"
               "Startup\\alice\nNotes.lnk\nC:\\Startup\\notes.exe\n"
               "Startup\\Alice\nCaps.lnk\ncaps.exe\n");
    // A name or path line that equals the tag starts a record of its own.
    EXPECT_EQ(Rows("HKCU_Run", std::nullopt),
              (Lines{"Pager|C:\\p.exe|HKCU_Run|Disabled", "fake|HKCU_Run\\alice|HKCU_Run|Disabled"}));
    EXPECT_EQ(Rows("HKLM_Run", std::nullopt), (Lines{"HKCU_Run|fake|HKLM_Run|Disabled"}));
    EXPECT_EQ(Rows("HKU_RunOnce", std::nullopt), Lines{});
    EXPECT_EQ(Rows("Startup", std::nullopt),
              (Lines{"Notes.lnk|C:\\Startup\\notes.exe|alice\\Startup|Disabled",
                     "Startup\\Alice|Caps.lnk|up\\notes.exe\\Startup|Disabled",
                     "Caps.lnk|caps.exe|Alice\\Startup|Disabled"}));
    EXPECT_EQ(Rows("Startup", std::string("alice")),
              (Lines{"Notes.lnk|C:\\Startup\\notes.exe|alice\\Startup|Disabled"}));
    EXPECT_EQ(Rows("Startup", std::string("all")), Lines{});  // a user of that name, not every user
}

TEST_F(DisabledStoreTest, AMatchWithoutTwoLinesAfterItRaisesAfterTheRowsBeforeIt) {
    auto errorOf = [&](const std::string& location, std::vector<StartupEntry>& rows) -> std::string {
        try {
            store.AddDisabledRows(location, std::nullopt, rows);
        } catch (const EListError& error) {
            return error.what();
        }
        return "no error";
    };
    WriteBytes(store.Path(),
               "Startup\\bob\nTool.lnk\nC:\\x.exe\nStartup\\bob\nLast.lnk\nC:\\Startup\\last.exe");
    std::vector<StartupEntry> rows;
    EXPECT_EQ(errorOf("Startup", rows), "List index out of bounds (6)");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].appName, "Last.lnk");

    WriteBytes(store.Path(), "HKCU_Run\r\nHKCU_Run\r\n");
    rows.clear();
    EXPECT_EQ(errorOf("HKCU_Run", rows), "List index out of bounds (2)");
    EXPECT_TRUE(rows.empty());
}

TEST_F(DisabledStoreTest, RemovingRewritesWholeRecordsWithCrLfAndLeavesAnEmptyFile) {
    WriteBytes(store.Path(),
               "HKCU_Run\nPager\na.exe\nHKLM_Run\nPager\nb.exe\nHKCU_Run\nPager\nc.exe\nHKCU_Run\nTool\nd."
               "exe\nHKCU_Run\n");
    store.RemoveDisabledEntry("HKCU_Run", "Pager");
    EXPECT_EQ(ReadBytes(store.Path()), "HKLM_Run\r\nPager\r\nb.exe\r\nHKCU_Run\r\nTool\r\nd.exe\r\n");
    store.RemoveDisabledEntry("HKCU_Run", "pager");  // exact comparison: nothing matches
    EXPECT_EQ(ReadBytes(store.Path()), "HKLM_Run\r\nPager\r\nb.exe\r\nHKCU_Run\r\nTool\r\nd.exe\r\n");
    store.RemoveDisabledEntry("HKLM_Run", "Pager");
    store.RemoveDisabledEntry("HKCU_Run", "Tool");
    EXPECT_EQ(ReadBytes(store.Path()), "");

    DeleteFileA(store.Path().c_str());
    store.RemoveDisabledEntry("HKCU_Run", "Tool");
    EXPECT_EQ(ReadBytes(store.Path()), "");  // exists, 0 bytes
    EXPECT_FALSE(PathExists(store.Path() + ".tmp"));
}

TEST_F(DisabledStoreTest, AFailedRewriteLeavesTheOldStoreWhole) {
    const std::string old = "HKCU_Run\r\nPager\r\na.exe\r\n";
    WriteBytes(store.Path(), old);
    std::filesystem::create_directory(store.Path() + ".tmp");  // the temporary file cannot be made
    EXPECT_THROW(store.RemoveDisabledEntry("HKCU_Run", "Pager"), EFileError);
    EXPECT_EQ(ReadBytes(store.Path()), old);
}

}  // namespace
