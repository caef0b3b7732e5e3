// ShowMessageBox: one title per kind, and the text as given.
#include <gtest/gtest.h>

#include "support/DialogWatcher.h"
#include "MessageBoxes.h"

namespace {

TEST(MessageBoxesTest, EachKindHasItsTitleAndTheTextIsPassedWhole) {
    DialogWatcher watcher;
    ShowMessageBox(nullptr, "You MUST specify the name for the application !", MessageKind::Warning);
    ShowMessageBox(nullptr, "Could NOT open registry !", MessageKind::Error);
    ShowMessageBox(nullptr, "first line\rsecond line", MessageKind::Information);

    std::vector<SeenDialog> seen = watcher.Seen();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].title, "Warning");
    EXPECT_EQ(seen[0].text, "You MUST specify the name for the application !");
    EXPECT_EQ(seen[1].title, "Error");
    EXPECT_EQ(seen[2].title, "Information");
    EXPECT_EQ(seen[2].text, "first line\rsecond line");
}

}  // namespace
