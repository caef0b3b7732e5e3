// The Remote Registry sequence over the service-manager table: ask, record, start, wait; stop, set back.
#include "RemoteRegistryService.h"

#include <memory>
#include <mutex>
#include <optional>

#include "Errors.h"
#include "StationTrouble.h"
#include "SystemMessage.h"
#include "UniqueHandle.h"
#include "WaitableLock.h"

namespace {

using Clock = RemoteRegistryLease::Clock;

constexpr DWORD kQueryAccess = SERVICE_QUERY_STATUS | SERVICE_QUERY_CONFIG;
constexpr DWORD kChangeAccess = kQueryAccess | SERVICE_CHANGE_CONFIG | SERVICE_START | SERVICE_STOP;

std::string ServiceOf(const std::string& station) {
    return "the Remote Registry service of " + station;
}

std::string Failed(const std::string& step, const std::string& station, DWORD code) {
    return "Could not " + step + " " + ServiceOf(station) + ": " + SystemMessage(code);
}

// The station's service manager and its Remote Registry service, or the error of the first that refused.
struct OpenedService {
    UniqueService manager;
    UniqueService service;
    DWORD error = ERROR_SUCCESS;
    bool managerAnswered = false;
};

OpenedService Open(const ServiceApi& api, const std::string& station, DWORD serviceAccess) {
    OpenedService open{UniqueService(ServiceHandleTraits{&api}), UniqueService(ServiceHandleTraits{&api})};
    open.manager.reset(api.openSCManager(("\\\\" + station).c_str(), nullptr, SC_MANAGER_CONNECT));
    if (!open.manager) {
        open.error = GetLastError();
        return open;
    }
    open.managerAnswered = true;
    open.service.reset(api.openService(open.manager.get(), kRemoteRegistryService, serviceAccess));
    if (!open.service)
        open.error = GetLastError();
    return open;
}

// The text for a service that could not be opened: one not reached is worded as a station that does not
// answer.
std::string OpenFailure(const std::string& station, const OpenedService& open) {
    if (!open.managerAnswered)
        return "Could not reach the service manager of " + station + ": " +
               ReachTroubleText(station, open.error);
    return "Could not open " + ServiceOf(station) + ": " + ReachTroubleText(station, open.error);
}

bool QueryState(const ServiceApi& api, SC_HANDLE service, SERVICE_STATUS_PROCESS& status) {
    DWORD needed = 0;
    return api.queryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(&status),
                                    sizeof status, &needed) != FALSE;
}

// The configuration is of variable size: asked for its size first.
bool QueryStartType(const ServiceApi& api, SC_HANDLE service, DWORD& startType) {
    DWORD needed = 0;
    api.queryServiceConfig(service, nullptr, 0, &needed);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed < sizeof(QUERY_SERVICE_CONFIGA))
        return false;
    std::vector<BYTE> buffer(needed);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
    if (!api.queryServiceConfig(service, config, needed, &needed))
        return false;
    startType = config->dwStartType;
    return true;
}

bool SetStartType(const ServiceApi& api, SC_HANDLE service, DWORD startType) {
    return api.changeServiceConfig(service, SERVICE_NO_CHANGE, startType, SERVICE_NO_CHANGE, nullptr, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, nullptr) != FALSE;
}

bool Pending(DWORD state) {
    return state == SERVICE_START_PENDING || state == SERVICE_STOP_PENDING ||
           state == SERVICE_CONTINUE_PENDING || state == SERVICE_PAUSE_PENDING;
}

enum class Wait { Reached, Settled, TimedOut, QueryFailed };

// Polls until the service is in wanted or in another state that is not on its way, or deadline passes.
Wait WaitFor(const ServiceApi& api,
             SC_HANDLE service,
             DWORD wanted,
             Clock::time_point deadline,
             std::chrono::milliseconds step,
             SERVICE_STATUS_PROCESS& status) {
    for (;;) {
        if (!QueryState(api, service, status))
            return Wait::QueryFailed;
        if (status.dwCurrentState == wanted)
            return Wait::Reached;
        if (!Pending(status.dwCurrentState))
            return Wait::Settled;
        if (Clock::now() >= deadline)
            return Wait::TimedOut;
        Sleep(static_cast<DWORD>(step.count()));
    }
}

long long SecondsUntil(Clock::time_point deadline, Clock::time_point from) {
    return std::max<long long>(1, std::chrono::ceil<std::chrono::seconds>(deadline - from).count());
}

DWORD ExitCodeOf(const SERVICE_STATUS_PROCESS& status) {
    return status.dwWin32ExitCode == ERROR_SERVICE_SPECIFIC_ERROR ? status.dwServiceSpecificExitCode
                                                                  : status.dwWin32ExitCode;
}

// A stop is sent to a service that runs; one that is starting is first let start, one that is stopping let
// stop.
void Stop(const ServiceApi& api,
          SC_HANDLE service,
          const std::string& station,
          const ServiceOptions& options,
          ServiceSteps& steps) {
    const Clock::time_point started = Clock::now();
    const Clock::time_point deadline = started + options.stopWait;
    SERVICE_STATUS_PROCESS status{};
    Wait wait = WaitFor(api, service, SERVICE_STOPPED, deadline, options.pollStep, status);
    if (wait == Wait::Settled || (wait == Wait::TimedOut && status.dwCurrentState == SERVICE_START_PENDING)) {
        SERVICE_STATUS sent{};
        if (!api.controlService(service, SERVICE_CONTROL_STOP, &sent) &&
            GetLastError() != ERROR_SERVICE_NOT_ACTIVE) {
            steps.Fail(Failed("stop", station, GetLastError()));
            return;
        }
        wait = WaitFor(api, service, SERVICE_STOPPED, deadline, options.pollStep, status);
    }
    if (wait == Wait::QueryFailed)
        steps.Fail(Failed("read the state of", station, GetLastError()));
    else if (wait != Wait::Reached)
        steps.Fail("The Remote Registry service of " + station + " did not stop within " +
                   std::to_string(SecondsUntil(deadline, started)) + " s.");
}

ServiceFinding Ask(const ServiceApi& api, const std::string& station) {
    const OpenedService open = Open(api, station, kQueryAccess);
    ServiceFinding finding{open.error, open.managerAnswered};
    if (open.error != ERROR_SUCCESS)
        return finding;
    SERVICE_STATUS_PROCESS status{};
    if (!QueryState(api, open.service.get(), status) ||
        !QueryStartType(api, open.service.get(), finding.startType))
        finding.error = GetLastError();
    finding.state = status.dwCurrentState;
    return finding;
}

// The last text of a restore: done, or where the station stays until a later run puts it back.
void EndRestore(ServiceSteps& steps,
                const std::string& station,
                const std::string& journalPath,
                std::string done) {
    if (steps.failed)
        steps.Done(station + " stays in " + journalPath + " for a later run to put back.");
    else
        steps.Done(std::move(done));
}

// A station that does not answer holds the asking thread in a network call: it is left to end alone,
// with what it shares with the caller.
struct Answer {
    WaitableLock lock;  // notified when the finding is given
    std::optional<ServiceFinding> finding;
};
struct Probe {
    std::shared_ptr<Answer> answer;
    std::string station;
    const ServiceApi* api;
};

DWORD WINAPI AskOnItsOwn(void* context) {
    const std::unique_ptr<Probe> probe(static_cast<Probe*>(context));
    try {
        ServiceFinding finding = Ask(*probe->api, probe->station);
        std::lock_guard lock(probe->answer->lock);
        probe->answer->finding = finding;
        probe->answer->lock.NotifyAll();
    } catch (const std::exception&) {
        // Out of memory: no answer, which the caller reports as a station that did not answer.
    }
    return 0;
}

}  // namespace

ServiceFinding FindRemoteRegistry(const std::string& station, const ServiceOptions& options) {
    auto probe = std::make_unique<Probe>(Probe{std::make_shared<Answer>(), station, options.api});
    const std::shared_ptr<Answer> answer = probe->answer;
    // The system's own thread, not the thread library's: its join was seen to fail with "resource deadlock
    // avoided" under many short threads, and a failed join ended the program.
    const UniqueKernelHandle asking(CreateThread(nullptr, 0, AskOnItsOwn, probe.get(), 0, nullptr));
    if (!asking)
        return ServiceFinding{GetLastError()};
    probe.release();  // the thread's now
    const auto deadline = std::chrono::steady_clock::now() + options.probeWait;
    {
        std::lock_guard lock(answer->lock);
        while (!answer->finding && std::chrono::steady_clock::now() < deadline)
            answer->lock.WaitUntil(deadline);
        if (!answer->finding)
            return ServiceFinding{ERROR_TIMEOUT};  // its handle goes; the thread ends alone
    }
    // A thread that answered is ending: one still running at exit can leave the process killed, not exited.
    WaitForSingleObject(asking.get(), INFINITE);
    return *answer->finding;
}

RemoteRegistryLease::RemoteRegistryLease(std::string station,
                                         RemoteRegistryJournal& journal,
                                         ServiceOptions options,
                                         Clock::time_point deadline)
    : station_(std::move(station)), journal_(journal), options_(options) {
    Start(deadline);
}

RemoteRegistryLease::~RemoteRegistryLease() {
    if (changed_)
        Restore();
}

void RemoteRegistryLease::Start(Clock::time_point deadline) {
    const ServiceApi& api = *options_.api;
    const OpenedService open = Open(api, station_, kChangeAccess);
    if (open.error != ERROR_SUCCESS)
        return started_.Fail(OpenFailure(station_, open));
    SC_HANDLE service = open.service.get();
    SERVICE_STATUS_PROCESS status{};
    if (!QueryState(api, service, status))
        return started_.Fail(Failed("read the state of", station_, GetLastError()));
    if (status.dwCurrentState != SERVICE_STOPPED) {
        // Not ours: someone else's start is waited for, nothing more.
        running_ =
            WaitFor(api, service, SERVICE_RUNNING, deadline, options_.pollStep, status) == Wait::Reached;
        return running_
                   ? started_.Done("The Remote Registry service of " + station_ + " runs: left as it is.")
                   : started_.Fail("The Remote Registry service of " + station_ +
                                   " is neither stopped nor running: left as it is.");
    }
    if (!QueryStartType(api, service, startType_))
        return started_.Fail(Failed("read the start type of", station_, GetLastError()));
    try {
        journal_.Add(station_, startType_);
    } catch (const Exception& error) {
        return started_.Fail("Nothing was changed on " + station_ + ": " + DefaultErrorText(error.what()));
    }
    changed_ = true;
    if (startType_ == SERVICE_DISABLED && !SetStartType(api, service, SERVICE_DEMAND_START))
        return started_.Fail("Could not set " + ServiceOf(station_) +
                             " to start manually: " + SystemMessage(GetLastError()));
    const Clock::time_point asked = Clock::now();
    // Another start in the same moment does no harm: the service was stopped, and is put back so.
    if (!api.startService(service, 0, nullptr) && GetLastError() != ERROR_SERVICE_ALREADY_RUNNING)
        return started_.Fail(Failed("start", station_, GetLastError()));
    switch (WaitFor(api, service, SERVICE_RUNNING, deadline, options_.pollStep, status)) {
        case Wait::Reached:
            running_ = true;
            return started_.Done("Started " + ServiceOf(station_) +
                                 " for this run (it was stopped, start type " + StartTypeName(startType_) +
                                 ").");
        case Wait::QueryFailed:
            return started_.Fail(Failed("read the state of", station_, GetLastError()));
        case Wait::Settled:
            return started_.Fail("The Remote Registry service of " + station_ +
                                 " stopped as it started: " + SystemMessage(ExitCodeOf(status)));
        case Wait::TimedOut:
            break;
    }
    started_.Fail("The Remote Registry service of " + station_ + " did not run within " +
                  std::to_string(SecondsUntil(deadline, asked)) + " s.");
}

ServiceSteps RemoteRegistryLease::Restore() {
    if (!changed_)
        return {};
    ServiceSteps steps = RestoreRemoteRegistry(station_, startType_, options_);
    if (!steps.failed) {
        try {
            journal_.Remove(station_);
        } catch (const Exception& error) {
            steps.Fail(DefaultErrorText(error.what()));
        }
    }
    EndRestore(steps, station_, journal_.Path(),
               "Put back " + ServiceOf(station_) + " as it was: stopped, start type " +
                   StartTypeName(startType_) + ".");
    changed_ = false;
    return steps;
}

ServiceSteps RestoreRemoteRegistry(const std::string& station,
                                   DWORD startType,
                                   const ServiceOptions& options) {
    ServiceSteps steps;
    const ServiceApi& api = *options.api;
    const OpenedService open = Open(api, station, kChangeAccess);
    if (open.error != ERROR_SUCCESS) {
        steps.Fail(OpenFailure(station, open));
        return steps;
    }
    Stop(api, open.service.get(), station, options, steps);
    // Set back even when the stop failed: each part that can be put back is.
    DWORD now = startType;
    if (!QueryStartType(api, open.service.get(), now))
        steps.Fail(Failed("read the start type of", station, GetLastError()));
    else if (now != startType && !SetStartType(api, open.service.get(), startType))
        steps.Fail("Could not set the start type of " + ServiceOf(station) + " back to " +
                   StartTypeName(startType) + ": " + SystemMessage(GetLastError()));
    return steps;
}

std::vector<RestoredStation> ReplayRemoteRegistryJournal(RemoteRegistryJournal& journal,
                                                         const ServiceOptions& options) {
    std::vector<RestoredStation> restored;
    auto journalFailed = [&](std::string text) { restored.push_back({"", {{std::move(text)}, true}}); };
    JournalLeftovers leftovers;
    try {
        leftovers = journal.Leftovers();
    } catch (const Exception& error) {
        journalFailed(DefaultErrorText(error.what()));
        return restored;
    }
    for (const std::string& line : leftovers.unreadable)
        journalFailed("A line of " + journal.Path() +
                      " names no station and start type, and is kept: " + line);
    for (const JournalLine& line : leftovers.lines) {
        ServiceSteps steps = RestoreRemoteRegistry(line.station, line.startType, options);
        try {
            if (!steps.failed)
                journal.Forget(line);
        } catch (const Exception& error) {
            steps.Fail(DefaultErrorText(error.what()));
        }
        EndRestore(steps, line.station, journal.Path(),
                   "Put back " + ServiceOf(line.station) +
                       ", which an earlier run left started: stopped, start type " +
                       StartTypeName(line.startType) + ".");
        restored.push_back({line.station, std::move(steps)});
    }
    return restored;
}
