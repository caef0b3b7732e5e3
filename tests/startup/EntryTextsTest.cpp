// The text rules of entries: quoting an executable part on enabling, and splitting the store into lines.
#include <gtest/gtest.h>

#include "DisabledStore.h"
#include "EntryValues.h"

namespace {

TEST(EntryTextsTest, EnableQuotesOnlyAnExecutablePartThatHoldsASpace) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Program Files\\Pager\\pager.exe -tray", "\"C:\\Program Files\\Pager\\pager.exe\" -tray"},
        {"C:\\Program Files\\Pager\\PAGER.Exe", "\"C:\\Program Files\\Pager\\PAGER.Exe\""},
        {"\"C:\\Program Files\\Pager\\pager.exe\" -tray", "\"C:\\Program Files\\Pager\\pager.exe\" -tray"},
        {"C:\\TOOLS\\PAGER.EXE /q", "C:\\TOOLS\\PAGER.EXE /q"},
        {"C:\\My Tools\\run.bat", "C:\\My Tools\\run.bat"},
        {"C:\\a b\\setup.exe.bak x.exe", "\"C:\\a b\\setup.exe\".bak x.exe"},  // the first ".exe" counts
        {"", ""},
    };
    for (const auto& [path, written] : cases)
        EXPECT_EQ(QuoteExecutablePart(path), written) << path;
}

TEST(EntryTextsTest, SplitsLinesAtEveryKindOfBreakAndStopsAtNul) {
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(SplitLines(""), Lines{});
    EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\r\n\r\n"), (Lines{"a", ""}));
    EXPECT_EQ(SplitLines("\n\r"), (Lines{"", ""}));
    EXPECT_EQ(SplitLines(std::string("a\r\nb\0c\r\nd", 10)), (Lines{"a", "b"}));
    EXPECT_EQ(SplitLines(std::string("a\r\0\nb", 5)), (Lines{"a"}));
}

}  // namespace
