// tellurinc and other stations' Remote Registry services, through fake service managers whose stations'
// registries answer only while the service runs: why a station does not answer, the flag's start and restore
// around the work, and the journal of an earlier run put back before anything else.
#include <windows.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "StationReach.h"
#include "StationTrouble.h"
#include "SystemMessage.h"
#include "Tellurinc.h"
#include "support/FakeServiceApi.h"
#include "support/KeySnapshot.h"

namespace {

using namespace std::chrono_literals;

const std::string kFolder = "C:\\tellurinc_remreg_" + std::to_string(GetCurrentProcessId());
const std::string kRun = "\\HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

class TellurincRemoteRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(kFolder);
        SetTextValue(HKEY_CURRENT_USER, kFakeStationsKey + std::string("\\pc01") + kRun, "Pager",
                     "C:\\pager.exe");
    }
    void TearDown() override {
        DeleteKeyTree(HKEY_CURRENT_USER, kFakeStationsKey);
        journal_.reset();  // lets go of its live file
        std::filesystem::remove_all(kFolder);
        EXPECT_EQ(ServiceFakesNow().openHandles, 0);
    }

    int Run(const std::vector<std::string>& args) {
        out_.clear();
        err_.clear();
        CliEnvironment environment;
        environment.writeOut = [this](const std::string& text) { out_ += text; };
        environment.writeErr = [this](const std::string& text) { err_ += text; };
        environment.computerName = "HERE";
        const LocalMachine local{"HERE", kFolder, &RegistryBehindFakeServices(),
                                 [](const std::string& name) { return kFolder + "\\" + name + "\\"; }};
        const RemoteRegistryTools tools{{&FakeServiceApi(), 1ms, 2000ms, kProbeWait}, journal_};
        environment.work = [local, tools](const CliCommand& command, const std::string& station) {
            return WorkReachedStation(command, station, local, tools);
        };
        environment.replayRemoteRegistry = [tools] {
            return ReplayRemoteRegistryJournal(*tools.journal, tools.services);
        };
        return RunTellurinc(args, environment).exitStatus;
    }

    ScopedServiceFakes fakes_;
    std::shared_ptr<RemoteRegistryJournal> journal_ =
        std::make_shared<RemoteRegistryJournal>(RemoteRegistryJournalPath(kFolder), "HERE-2-2");
    std::string out_;
    std::string err_;
};

TEST_F(TellurincRemoteRegistry, AStationThatDoesNotAnswerIsToldWhyAndNothingIsChanged) {
    ServiceFakesNow().stations["pc01"] = {SERVICE_STOPPED, SERVICE_DISABLED};
    ServiceFakesNow().stations["pc03"] = {SERVICE_RUNNING};
    ServiceFakesNow().registryRefusals["pc03"] = ERROR_ACCESS_DENIED;
    ServiceFakesNow().stations["pc04"] = {.managerError = ERROR_ACCESS_DENIED};
    ServiceFakesNow().stations["pc05"] = {.openError = ERROR_SERVICE_DOES_NOT_EXIST};
    const std::pair<std::string, std::string> cases[] = {
        {"pc01", "The Remote Registry service of pc01 is stopped and disabled." +
                     std::string(kStartRemoteRegistryHint)},
        {"pc03", ReachTroubleText("pc03", ERROR_ACCESS_DENIED)},
        {"pc04", ReachTroubleText("pc04", ERROR_ACCESS_DENIED)},  // the registry says only "no path"
        {"pc05", SystemMessage(ERROR_BAD_NETPATH) + " pc05 has no Remote Registry service."},
        {"nohost", ReachTroubleText("nohost", ERROR_BAD_NETPATH)},
    };
    for (const auto& [station, reason] : cases) {
        EXPECT_EQ(Run({"list", "--location", "HKLM_Run", "--station", station}), 1) << station;
        EXPECT_NE(err_.find(station + ": "), std::string::npos) << err_;
        EXPECT_NE(err_.find(reason), std::string::npos) << err_;
    }
    EXPECT_NE(ReachTroubleText("nohost", ERROR_BAD_NETPATH).find("firewall"), std::string::npos);
    EXPECT_TRUE(ServiceFakesNow().changes.empty());
    EXPECT_EQ(ServiceFakesNow().stations["pc01"].state, static_cast<DWORD>(SERVICE_STOPPED));
}

TEST_F(TellurincRemoteRegistry, TheFlagPutsBackAnEarlierRunsStationFirstThenStartsAndRestoresAroundTheWork) {
    ServiceFakesNow().stations["pc01"] = {SERVICE_STOPPED, SERVICE_DISABLED};
    ServiceFakesNow().stations["pc02"] = {SERVICE_RUNNING, SERVICE_DEMAND_START};
    RemoteRegistryJournal(journal_->Path(), "GONE-1-1").Add("pc02", SERVICE_DISABLED);  // its run has ended

    EXPECT_EQ(Run({"list", "--location", "HKLM_Run", "--format", "csv", "--station", "pc01",
                   "--start-remote-registry"}),
              0)
        << err_;
    EXPECT_NE(out_.find("pc01,HKLM_Run,Pager,C:\\pager.exe,Enabled"), std::string::npos) << out_;
    EXPECT_TRUE(
        err_.starts_with("pc02: Put back the Remote Registry service of pc02, which an earlier run left"))
        << err_;
    EXPECT_NE(err_.find("pc01: Started the Remote Registry service of pc01 for this run"), std::string::npos);
    EXPECT_NE(err_.find("pc01: Put back the Remote Registry service of pc01 as it was: stopped, start type "
                        "disabled.\r\npc01: "),
              std::string::npos)
        << err_;
    for (const char* station : {"pc01", "pc02"}) {
        EXPECT_EQ(ServiceFakesNow().stations[station].state, static_cast<DWORD>(SERVICE_STOPPED)) << station;
        EXPECT_EQ(ServiceFakesNow().stations[station].startType, static_cast<DWORD>(SERVICE_DISABLED))
            << station;
    }
    EXPECT_FALSE(std::filesystem::exists(journal_->Path()));
    EXPECT_EQ(Run({"restore-remote-registry"}), 0);
    EXPECT_EQ(err_, "no station to put back\r\n");
}

TEST_F(TellurincRemoteRegistry, AWorkThatFailsStillHasTheServicePutBackAndFailsTheRun) {
    ServiceFakesNow().stations["pc01"] = {SERVICE_STOPPED, SERVICE_DISABLED};
    EXPECT_EQ(Run({"disable", "--location", "HKLM_Run", "--name", "Missing", "--station", "pc01",
                   "--start-remote-registry"}),
              1);
    EXPECT_NE(err_.find("pc01: [HKLM_Run]:     - there is NO enabled entry 'Missing' !"), std::string::npos)
        << err_;
    const std::vector<std::string> changes{"pc01 start type 3", "pc01 start", "pc01 stop",
                                           "pc01 start type 4"};
    EXPECT_EQ(ServiceFakesNow().changes, changes);
    EXPECT_FALSE(std::filesystem::exists(journal_->Path()));
}

}  // namespace
