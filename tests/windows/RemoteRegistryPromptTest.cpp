// The window's question about a stopped Remote Registry service: No leaves the station as it is and says why
// it does not answer, Yes starts the service for the window, which puts it back when it closes.
#include <filesystem>

#include <gtest/gtest.h>

#include "RemoteRegistryPrompt.h"
#include "support/DialogWatcher.h"
#include "support/FakeServiceApi.h"

namespace {

using namespace std::chrono_literals;

TEST(RemoteRegistryPromptTest, NoLeavesTheStationAloneYesStartsTheServiceUntilTheWindowCloses) {
    const std::string folder = "C:\\tellurin_prompt_" + std::to_string(GetCurrentProcessId());
    std::filesystem::create_directories(folder);
    ScopedServiceFakes fakes;
    FakeService& pc01 = ServiceFakesNow().stations["pc01"] = {SERVICE_STOPPED, SERVICE_DISABLED};
    const RemoteRegistrySeams seams{&RegistryBehindFakeServices(), {&FakeServiceApi(), 1ms, 2000ms, kProbeWait}};
    {
        RemoteRegistryJournal journal(RemoteRegistryJournalPath(folder));
        {
            DialogWatcher no(IDNO);
            EXPECT_EQ(PrepareStationRegistry("pc01", journal, seams), nullptr);
            const std::vector<SeenDialog> seen = no.Seen();
            ASSERT_EQ(seen.size(), 2u);
            EXPECT_EQ(seen[0].text, "Start the Remote Registry service on pc01 while Tellurin works on it?");
            EXPECT_EQ(seen[1].text, "The Remote Registry service of pc01 is stopped and disabled.");
            EXPECT_TRUE(ServiceFakesNow().changes.empty());
        }
        DialogWatcher yes(IDYES);
        std::unique_ptr<RemoteRegistryLease> lease = PrepareStationRegistry("pc01", journal, seams);
        ASSERT_TRUE(lease && lease->Running());
        EXPECT_EQ(pc01.state, static_cast<DWORD>(SERVICE_RUNNING));
        RestoreStationRegistry(std::move(lease));
        EXPECT_EQ(yes.Seen().size(), 1u);  // the question only: a restore that works is not shown
    }
    EXPECT_EQ(pc01.state, static_cast<DWORD>(SERVICE_STOPPED));
    EXPECT_EQ(pc01.startType, static_cast<DWORD>(SERVICE_DISABLED));
    EXPECT_EQ(ServiceFakesNow().openHandles, 0);
    EXPECT_FALSE(std::filesystem::exists(RemoteRegistryJournalPath(folder)));
    std::filesystem::remove_all(folder);
}

}  // namespace
