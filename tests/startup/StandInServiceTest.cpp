// The real sequence over advapi32 against a real service: under Wine any station's service manager is this
// computer's, where a stand-in named RemoteRegistry is registered for the test and deleted after it. And the
// real tool, killed while the service starts, and its restore-remote-registry.
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
    if (QueryServiceConfigA(service, reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer), sizeof buffer,
                            &needed))
        found.startType = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer)->dwStartType;
    return found;
}

// The stand-in, registered disabled; stopped and deleted with this object. arguments: its command line's.
class StandIn {
public:
    explicit StandIn(const std::string& arguments = {}) {
        if (!manager_)
            return;
        service_.reset(OpenServiceA(manager_.get(), kRemoteRegistryService, SERVICE_ALL_ACCESS));
        if (service_) {
            service_.reset();
            existed_ = true;  // a real one, or one a killed test left: not ours to delete
            return;
        }
        service_.reset(CreateServiceA(
            manager_.get(), kRemoteRegistryService, "Remote Registry (Tellurin test)", SERVICE_ALL_ACCESS,
            SERVICE_WIN32_OWN_PROCESS, SERVICE_DISABLED, SERVICE_ERROR_IGNORE,
            ("\"" TELLURIN_STAND_IN "\" " + arguments).c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
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

// A program run detached from this console.
class Child {
public:
    explicit Child(std::string commandLine) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                           nullptr, &startup, &started)) {
            process_.reset(started.hProcess);
            CloseHandle(started.hThread);
        }
    }
    ~Child() { Kill(); }
    bool Started() const { return static_cast<bool>(process_); }
    DWORD Wait() {
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(process_.get(), 60000) == WAIT_OBJECT_0)
            GetExitCodeProcess(process_.get(), &code);
        return code;
    }
    void Kill() {
        if (process_ && TerminateProcess(process_.get(), 9))
            WaitForSingleObject(process_.get(), 30000);
    }

private:
    UniqueHandle<NullableHandleTraits<HANDLE, CloseHandle>> process_;
};

TEST(StandInServiceTest, TellurincKilledWhileTheServiceStartsLeavesRestoreRemoteRegistryTheStation) {
    StandIn standIn("3000");  // starting for 3 s
    if (standIn.Existed())
        GTEST_SKIP() << "this computer has a RemoteRegistry service: only a test prefix may be changed";
    ASSERT_TRUE(standIn.Get()) << GetLastError();
    ScratchFolder folder{"C:\\" + UniqueName("tellurin_killed")};
    const std::string tool = folder.Path() + "\\tellurinc.exe";  // the journal is beside the tool
    ASSERT_TRUE(CopyFileA(TELLURINC, tool.c_str(), FALSE));
    const std::string journal = RemoteRegistryJournalPath(folder.Path());

    Child run("\"" + tool +
              "\" list --location HKLM_Run --station PC01 --start-remote-registry --timeout 60");
    ASSERT_TRUE(run.Started());
    for (int i = 0; i < 1000 && StateOf(standIn.Get()).state != SERVICE_START_PENDING; ++i)
        Sleep(20);
    ASSERT_EQ(StateOf(standIn.Get()).state, static_cast<DWORD>(SERVICE_START_PENDING));
    run.Kill();
    EXPECT_NE(ReadBytes(journal).find("PC01\tdisabled\t"), std::string::npos) << ReadBytes(journal);
    EXPECT_EQ(StateOf(standIn.Get()).startType, static_cast<DWORD>(SERVICE_DEMAND_START));

    Child restore("\"" + tool + "\" restore-remote-registry");
    EXPECT_EQ(restore.Wait(), 0u);
    EXPECT_EQ(StateOf(standIn.Get()).state, static_cast<DWORD>(SERVICE_STOPPED));
    EXPECT_EQ(StateOf(standIn.Get()).startType, static_cast<DWORD>(SERVICE_DISABLED));
    EXPECT_FALSE(PathExists(journal));
}

}  // namespace
