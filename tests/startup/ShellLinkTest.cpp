// The file search of the profiles, and shortcut files read and written through the shell's link object.
#include <filesystem>

#include "StartupTestSupport.h"
#include "Errors.h"
#include "ProfileFolders.h"
#include "ShellLink.h"

namespace {

std::vector<std::string> Found(const std::string& pattern) {
    std::vector<std::string> names{"kept"};
    FindFileNames(pattern, names);
    return names;
}

TEST(ProfileFoldersTest, FindFileNamesSkipsTheFiveNamesExactlyAndTakesEveryKindOfEntry) {
    ScratchFolder root("C:\\" + UniqueName("tellurin_find"));
    for (const char* folder : {"Default User", "LocalService", "NetworkService", "All Users"})
        std::filesystem::create_directories(root.Path() + "\\" + folder);
    WriteBytes(root.Path() + "\\plain.txt", "x");
    WriteBytes(root.Path() + "\\hidden.lnk", "x");
    SetFileAttributesA((root.Path() + "\\hidden.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN);
    WriteBytes(root.Path() + "\\tool.exe", "x");

    std::vector<std::string> names = Found(root.Path() + "\\*.*");
    std::sort(names.begin() + 1, names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"kept", "All Users", "hidden.lnk", "plain.txt", "tool.exe"}));
    EXPECT_EQ(Found(root.Path() + "\\*.lnk"), (std::vector<std::string>{"kept", "hidden.lnk"}));
    EXPECT_EQ(Found(root.Path() + "\\missing\\*.lnk"), (std::vector<std::string>{"kept"}));

    // The file system ignores case, the skipped names do not.
    ScratchFolder other("C:\\" + UniqueName("tellurin_find"));
    std::filesystem::create_directories(other.Path() + "\\default user");
    EXPECT_EQ(Found(other.Path() + "\\*"), (std::vector<std::string>{"kept", "default user"}));
}

class ShellLinkTest : public ::testing::Test {
protected:
    ScratchFolder folder{"C:\\" + UniqueName("tellurin_links")};
    std::string Link(const std::string& name) const { return folder.Path() + "\\" + name; }
};

TEST_F(ShellLinkTest, ResolvesOnlyFilesNamedLnkAndGivesEmptyForWhatItCannotRead) {
    ASSERT_TRUE(CreateShortcut("C:\\Tools\\app.exe", folder.Path() + "\\", "report"));
    ASSERT_TRUE(MoveFileA(Link("report.lnk").c_str(), Link("report.LNK").c_str()));
    EXPECT_EQ(ResolveShortcutTarget(Link("report.LNK")), "C:\\Tools\\app.exe");
    CopyFileA(Link("report.LNK").c_str(), Link("report.txt").c_str(), FALSE);
    EXPECT_EQ(ResolveShortcutTarget(Link("report.txt")), kNotAShortcut);
    EXPECT_EQ(ResolveShortcutTarget(Link("report.lnk.bak")), kNotAShortcut);
    EXPECT_EQ(ResolveShortcutTarget(folder.Path() + "\\dir.lnk\\noextension"), kNotAShortcut);
    WriteBytes(Link("broken.lnk"), "this is not a shell link");
    EXPECT_EQ(ResolveShortcutTarget(Link("broken.lnk")), "");
    EXPECT_EQ(ResolveShortcutTarget(Link("missing.lnk")), "");
}

TEST_F(ShellLinkTest, CreatesOrReplacesTheFileAndReportsWhetherItWasSaved) {
    WriteBytes(Link("Tool.lnk"), "an old file of the same name");
    ASSERT_TRUE(CreateShortcut("C:\\Programs\\notes.exe", folder.Path() + "\\", "Tool"));
    EXPECT_EQ(ResolveShortcutTarget(Link("Tool.lnk")), "C:\\Programs\\notes.exe");
    EXPECT_FALSE(CreateShortcut("C:\\Programs\\notes.exe", folder.Path() + "\\missing\\", "Tool"));
    EXPECT_FALSE(PathExists(folder.Path() + "\\missing"));
}

// A target of fewer characters than a path may have, but more bytes in UTF-8: read back whole, as the
// store must record it and the row's details must name it.
TEST_F(ShellLinkTest, ATargetInAnotherScriptLongerInBytesThanAPathIsReadWhole) {
    std::string target = "C:\\";
    for (int i = 0; i < 100; ++i)
        target += "程";
    target += "\\Мой редактор.exe";
    ASSERT_TRUE(CreateShortcut(target, folder.Path() + "\\", "Long"));
    EXPECT_EQ(ResolveShortcutTarget(Link("Long.lnk")), target);
}

TEST(ShellLinkSamplesTest, ReadsShortcutsThatWindowsWrote) {
    const std::string samples = std::string(TELLURIN_TEST_DATA) + "\\lnk\\";
    const std::pair<const char*, const char*> cases[] = {
        {"non_unicode_strings.lnk", "E:\\Age Of Empires II\\Age2_X1\\age2_x1.Exe"},
        {"with_arguments.lnk", "C:\\Windows\\System32\\cmd.exe"},
        {"win7_manual.lnk", "C:\\Users\\u0041\\Desktop\\test\\test.txt"},
        {"win7_windows_generated.lnk", "C:\\Users\\u0041\\Desktop\\test\\test.txt"},
        {"win10_manual.lnk", "C:\\Users\\u0041\\Desktop\\test\\test.txt"},
        {"win10_windows_generated.lnk", "C:\\Users\\u0041\\Desktop\\test\\test.txt"},
    };
    for (const auto& [file, target] : cases)
        EXPECT_EQ(ResolveShortcutTarget(samples + file), target) << file;
}

// Run by lnk_oracle.sh, which reads the files back with lnkinfo; TELLURIN_LNK_OUT names the folder.
TEST(ShellLinkOracle, DISABLED_WritesShortcutsForAnIndependentReader) {
    char out[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableA("TELLURIN_LNK_OUT", out, sizeof out), 0u);
    const std::string target = std::string(out) + "\\Programs\\Notes\\notes.exe";
    std::filesystem::create_directories(std::string(out) + "\\Programs\\Notes");
    WriteBytes(target, "MZ");
    ASSERT_TRUE(CreateShortcut(target, std::string(out) + "\\", "Notes"));
    ASSERT_TRUE(CreateShortcut("\"" + target + "\"", std::string(out) + "\\", "Quoted"));
    ASSERT_TRUE(
        CreateShortcut(std::string(out) + "\\Not Installed\\tool.exe", std::string(out) + "\\", "Missing"));
}

}  // namespace
