// The Remote Registry sequence against fake service managers: what it starts it puts back as found, each
// failed step is told and the rest still put back, and the journal outlives a run that is killed (the real
// tool killed for real: StandInServiceTest).
#include "StartupTestSupport.h"
#include "RemoteRegistryService.h"
#include "StationTrouble.h"
#include "SystemMessage.h"
#include "support/FakeServiceApi.h"

namespace {

using namespace std::chrono_literals;
using Clock = RemoteRegistryLease::Clock;

ServiceOptions Fast() {
    return {&FakeServiceApi(), 1ms, 2000ms, kProbeWait};
}

FakeService& Pc01() {
    return ServiceFakesNow().stations["PC01"];
}

class RemoteRegistryTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(ServiceFakesNow().openHandles, 0); }

    ScopedServiceFakes fakes_;
    ScratchFolder folder_{"C:\\" + UniqueName("tellurin_remreg")};
    std::string path_ = RemoteRegistryJournalPath(folder_.Path());
    RemoteRegistryJournal journal_{path_, "HERE-1-1"};
};

TEST_F(RemoteRegistryTest, AStoppedServiceIsStartedAfterItsJournalLineAndPutBackAsFound) {
    for (DWORD startType : {SERVICE_DEMAND_START, SERVICE_DISABLED, SERVICE_AUTO_START}) {
        ServiceFakesNow() = ServiceFakes{};
        Pc01().startType = startType;
        std::string journalAtFirstChange = "<no change>";
        ServiceFakesNow().beforeChange = [&] {
            if (ServiceFakesNow().changes.empty())
                journalAtFirstChange = ReadBytes(path_);
        };
        RemoteRegistryLease lease("PC01", journal_, Fast(), Clock::now() + 1s);
        EXPECT_TRUE(lease.Running());
        EXPECT_EQ(Pc01().state, SERVICE_RUNNING);
        EXPECT_EQ(Pc01().startType, startType == SERVICE_DISABLED ? SERVICE_DEMAND_START : startType);
        EXPECT_EQ(journalAtFirstChange, "PC01\t" + StartTypeName(startType) + "\tHERE-1-1\r\n");

        const ServiceSteps restored = lease.Restore();
        EXPECT_FALSE(restored.failed);
        EXPECT_EQ(Pc01().state, SERVICE_STOPPED);
        EXPECT_EQ(Pc01().startType, startType);
        EXPECT_FALSE(PathExists(path_));
        const std::vector<std::string> expected =
            startType == SERVICE_DISABLED ? std::vector<std::string>{"PC01 start type 3", "PC01 start",
                                                                     "PC01 stop", "PC01 start type 4"}
                                          : std::vector<std::string>{"PC01 start", "PC01 stop"};
        EXPECT_EQ(ServiceFakesNow().changes, expected) << StartTypeName(startType);
    }
}

TEST_F(RemoteRegistryTest, ARunningServiceIsLeftAlone) {
    Pc01() = {SERVICE_RUNNING, SERVICE_DISABLED};
    RemoteRegistryLease lease("PC01", journal_, Fast(), Clock::now() + 1s);
    EXPECT_TRUE(lease.Running());
    EXPECT_FALSE(lease.Changed());
    EXPECT_TRUE(lease.Restore().texts.empty());
    EXPECT_TRUE(ServiceFakesNow().changes.empty());
    EXPECT_EQ(Pc01().state, SERVICE_RUNNING);
    EXPECT_FALSE(PathExists(path_));
}

TEST_F(RemoteRegistryTest, AFailedStepIsToldAndWhatWasChangedIsStillPutBack) {
    struct Case {
        const char* name;
        FakeService service;
        std::string startFailure;  // the last text of the start
        bool restoreFails;
        DWORD typeAfter;
    };
    const std::string denied = SystemMessage(ERROR_ACCESS_DENIED);
    const Case cases[] = {
        {"start refused",
         {.startType = SERVICE_DISABLED, .startError = ERROR_ACCESS_DENIED},
         "Could not start the Remote Registry service of PC01: " + denied,
         false,
         SERVICE_DISABLED},
        {"never runs",
         {.neverStarts = true},
         "The Remote Registry service of PC01 did not run within 1 s.",
         true,
         SERVICE_DEMAND_START},
        {"stop refused",
         {.startType = SERVICE_DISABLED, .stopError = ERROR_ACCESS_DENIED},
         "",
         true,
         SERVICE_DISABLED},
        {"manager refused",
         {.startType = SERVICE_DISABLED, .managerError = ERROR_ACCESS_DENIED},
         "Could not reach the service manager of PC01: " + ReachTroubleText("PC01", ERROR_ACCESS_DENIED),
         false,
         SERVICE_DISABLED},
    };
    for (const Case& c : cases) {
        ServiceFakesNow() = ServiceFakes{};
        Pc01() = c.service;
        RemoteRegistryLease lease("PC01", journal_, Fast(), Clock::now() + 30ms);
        EXPECT_EQ(lease.Started().failed, !c.startFailure.empty()) << c.name;
        EXPECT_EQ(lease.Started().texts.back(),
                  c.startFailure.empty() ? lease.Started().texts.back() : c.startFailure)
            << c.name;
        const ServiceSteps restored = lease.Restore();
        EXPECT_EQ(restored.failed, c.restoreFails) << c.name;
        EXPECT_EQ(Pc01().startType, c.typeAfter) << c.name;
        // A station not put back whole stays in the journal for a later run.
        EXPECT_EQ(PathExists(path_), c.restoreFails) << c.name;
        if (c.restoreFails) {
            EXPECT_EQ(restored.texts.back(), "PC01 stays in " + path_ + " for a later run to put back.");
        }
        journal_.Remove("PC01");
    }
    EXPECT_NE(ReachTroubleText("PC01", ERROR_ACCESS_DENIED).find("administrator on PC01"), std::string::npos);
}

TEST_F(RemoteRegistryTest, NothingIsChangedWhenTheJournalCannotBeWritten) {
    Pc01().startType = SERVICE_DISABLED;
    RemoteRegistryJournal unwritable(folder_.Path() + "\\missing\\remote-registry.journal");
    RemoteRegistryLease lease("PC01", unwritable, Fast(), Clock::now() + 1s);
    EXPECT_FALSE(lease.Running());
    EXPECT_TRUE(lease.Started().texts.back().starts_with("Nothing was changed on PC01: "));
    EXPECT_TRUE(ServiceFakesNow().changes.empty());
}

TEST_F(RemoteRegistryTest, AWorkThatFailsStillHasTheServicePutBack) {
    Pc01().startType = SERVICE_DISABLED;
    try {
        RemoteRegistryLease lease("PC01", journal_, Fast(), Clock::now() + 1s);
        ASSERT_TRUE(lease.Running());
        throw std::runtime_error("the work failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(Pc01().state, SERVICE_STOPPED);
    EXPECT_EQ(Pc01().startType, SERVICE_DISABLED);
    EXPECT_FALSE(PathExists(path_));
}

TEST_F(RemoteRegistryTest, AKilledRunsStationIsPutBackByTheNextRunAndARunningRunsIsNot) {
    Pc01().startType = SERVICE_DISABLED;
    auto killed = std::make_unique<RemoteRegistryJournal>(path_, "GONE-1-1");
    // A kill runs no destructor: the lease is never restored, and the system closes the run's handles.
    auto lease = new RemoteRegistryLease("PC01", *killed, Fast(), Clock::now() + 1s);
    ASSERT_TRUE(lease->Running());
    EXPECT_TRUE(journal_.Leftovers().lines.empty());  // its run still runs
    killed.reset();

    const JournalLeftovers left = journal_.Leftovers();
    ASSERT_EQ(left.lines.size(), 1u);
    EXPECT_EQ(left.lines[0].station, "PC01");
    EXPECT_EQ(left.lines[0].startType, static_cast<DWORD>(SERVICE_DISABLED));
    const std::vector<RestoredStation> restored = ReplayRemoteRegistryJournal(journal_, Fast());
    ASSERT_EQ(restored.size(), 1u);
    EXPECT_FALSE(restored[0].steps.failed) << restored[0].steps.texts.front();
    EXPECT_EQ(Pc01().state, SERVICE_STOPPED);
    EXPECT_EQ(Pc01().startType, SERVICE_DISABLED);
    EXPECT_FALSE(PathExists(path_));
    EXPECT_FALSE(PathExists(path_ + ".GONE-1-1.live"));
}

}  // namespace
