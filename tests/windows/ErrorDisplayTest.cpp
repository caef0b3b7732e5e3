// The default error display: its text rule, its title, and that the program goes on after it.
#include <gtest/gtest.h>

#include "Errors.h"
#include "support/DialogWatcher.h"
#include "AppTitle.h"
#include "ErrorDisplay.h"

namespace {

TEST(ErrorDisplayTest, AddsAFullStopOnlyAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(DefaultErrorText("Failed to set data for 'X'"), "Failed to set data for 'X'");
    EXPECT_EQ(DefaultErrorText("File access denied"), "File access denied.");
    EXPECT_EQ(DefaultErrorText("I/O error 5"), "I/O error 5.");
    EXPECT_EQ(DefaultErrorText("Done."), "Done.");
    EXPECT_EQ(DefaultErrorText("Why?"), "Why?.");  // '?' sorts after '.'
    EXPECT_EQ(DefaultErrorText("List (3)"), "List (3)");
    EXPECT_EQ(DefaultErrorText(""), "");
}

TEST(ErrorDisplayTest, ShowsUncaughtErrorsUnderTheApplicationTitleAndGoesOn) {
    SetApplicationTitle("Tellurin v.5");
    DialogWatcher watcher;
    int handlersRun = 0;

    EXPECT_FALSE(DispatchSafely([&] {
        ++handlersRun;
        throw ERegistryException("Failed to set data for 'ProxyEnable'");
    }));
    EXPECT_FALSE(DispatchSafely([&] { throw EFileError("File access denied"); }));
    EXPECT_FALSE(DispatchSafely([&] { throw EAbort(); }));  // silent
    EXPECT_TRUE(DispatchSafely([&] { ++handlersRun; }));

    EXPECT_EQ(handlersRun, 2);
    std::vector<SeenDialog> seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].title, "Tellurin v.5");
    EXPECT_EQ(seen[0].text, "Failed to set data for 'ProxyEnable'");
    EXPECT_EQ(seen[1].text, "File access denied.");
    SetApplicationTitle("Tellurin");
}

}  // namespace
