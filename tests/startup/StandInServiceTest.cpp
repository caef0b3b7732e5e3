// The real sequence over advapi32 against a real service: under Wine any station's service manager is this
// computer's, where a stand-in named RemoteRegistry is registered for the test and deleted after it.
#include <windows.h>

#include <gtest/gtest.h>

#include "RemoteRegistryService.h"
#include "StartupTestSupport.h"

namespace {

using namespace std::chrono_literals;

struct ServiceState {
    DWORD state = 0;
    DWORD startType = 0;
};

// Asked of this computer's manager directly, not through the code under test.
ServiceState StateOf(SC_HANDLE service) {
    ServiceState found;
    SERVICE_STATUS status{};
    if (QueryServiceStatus(service, &status))
        found.state = status.dwCurrentState;
    alignas(QUERY_SERVICE_CONFIGA) BYTE buffer[8192];
    DWORD needed = 0;
    if (QueryServiceConfigA(service, reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer), sizeof buffer, &needed))
        found.startType = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer)->dwStartType;
    return found;
}

// The stand-in, registered disabled; stopped and deleted with this object.
class StandIn {
public:
    StandIn() {
        if (!manager_)
            return;
        service_.reset(OpenServiceA(manager_.get(), kRemoteRegistryService, SERVICE_ALL_ACCESS));
        if (service_) {
            service_.reset();
            existed_ = true;  // a real one, or one a killed test left: not ours to delete
            return;
        }
        service_.reset(CreateServiceA(manager_.get(), kRemoteRegistryService, "Remote Registry (Tellurin test)",
                                      SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS, SERVICE_DISABLED,
                                      SERVICE_ERROR_IGNORE, "\"" TELLURIN_STAND_IN "\"", nullptr, nullptr,
                                      nullptr, nullptr, nullptr));
    }
    ~StandIn() {
        if (!service_)
            return;
        SERVICE_STATUS status{};
        ControlService(service_.get(), SERVICE_CONTROL_STOP, &status);
        DeleteService(service_.get());
    }
    bool Existed() const { return existed_; }
    SC_HANDLE Get() const { return service_.get(); }

private:
    UniqueService manager_{OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS)};
    UniqueService service_;
    bool existed_ = false;
};

TEST(StandInServiceTest, TheRealSequenceStartsTheServiceAndPutsItBackStoppedAndDisabled) {
    StandIn standIn;
    if (standIn.Existed())
        GTEST_SKIP() << "this computer has a RemoteRegistry service: only a test prefix may be changed";
    ASSERT_TRUE(standIn.Get()) << GetLastError();
    ScratchFolder folder{"C:\\" + UniqueName("tellurin_standin")};
    RemoteRegistryJournal journal(RemoteRegistryJournalPath(folder.Path()));
    ServiceOptions options;
    options.pollStep = 50ms;

    const ServiceFinding found = FindRemoteRegistry("PC01", options);
    EXPECT_TRUE(found.Stopped()) << found.error;
    EXPECT_EQ(found.startType, static_cast<DWORD>(SERVICE_DISABLED));
    {
        RemoteRegistryLease lease("PC01", journal, options, RemoteRegistryLease::Clock::now() + 20s);
        ASSERT_TRUE(lease.Running()) << lease.Started().texts.back();
        EXPECT_EQ(StateOf(standIn.Get()).state, static_cast<DWORD>(SERVICE_RUNNING));
        EXPECT_EQ(StateOf(standIn.Get()).startType, static_cast<DWORD>(SERVICE_DEMAND_START));
        EXPECT_TRUE(PathExists(journal.Path()));
        const ServiceSteps restored = lease.Restore();
        EXPECT_FALSE(restored.failed) << restored.texts.front();
    }
    EXPECT_EQ(StateOf(standIn.Get()).state, static_cast<DWORD>(SERVICE_STOPPED));
    EXPECT_EQ(StateOf(standIn.Get()).startType, static_cast<DWORD>(SERVICE_DISABLED));
    EXPECT_FALSE(PathExists(journal.Path()));
}

}  // namespace
