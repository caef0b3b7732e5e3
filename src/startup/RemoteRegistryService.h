// A station's Remote Registry service started for a piece of work and put back as it was found: stopped, with
// the start type it had. Every change is in the journal before it is made.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

#include "RemoteRegistryJournal.h"
#include "ServiceApi.h"
#include "ServiceFinding.h"

inline constexpr const char* kRemoteRegistryService = "RemoteRegistry";

// How the service manager is asked, and how long the service is waited for.
struct ServiceOptions {
    const ServiceApi* api = &RealServiceApi();
    std::chrono::milliseconds pollStep{250};
    // A station that answers at all answers its service manager at once; one that does not is not waited for
    // a second time after its registry.
    std::chrono::milliseconds probeWait{5000};
    std::chrono::milliseconds stopWait{15000};
};

// Asks without changing anything, within options.probeWait.
ServiceFinding FindRemoteRegistry(const std::string& station, const ServiceOptions& options);

// What one part of the sequence did and each step that failed, with its reason, in order.
struct ServiceSteps {
    std::vector<std::string> texts;
    bool failed = false;
    void Done(std::string text) { texts.push_back(std::move(text)); }
    void Fail(std::string text) {
        texts.push_back(std::move(text));
        failed = true;
    }
};

// Started on construction when the service is stopped: recorded in the journal, a disabled one set to
// manual, started, and waited for until deadline. One that is not stopped is left alone and only waited
// for while it starts. Restore puts back what was changed; so does the destructor when Restore was not
// called, silently, leaving the line in the journal if that fails.
class RemoteRegistryLease {
public:
    using Clock = std::chrono::steady_clock;

    RemoteRegistryLease(std::string station,
                        RemoteRegistryJournal& journal,
                        ServiceOptions options,
                        Clock::time_point deadline);
    ~RemoteRegistryLease();
    RemoteRegistryLease(const RemoteRegistryLease&) = delete;
    RemoteRegistryLease& operator=(const RemoteRegistryLease&) = delete;

    // The service runs: the station's registry may be asked again.
    bool Running() const { return running_; }
    // This lease started the service; Restore has something to put back.
    bool Changed() const { return changed_; }
    // The start: what was done; a failure is the last text.
    const ServiceSteps& Started() const { return started_; }

    // Stops the service and sets its start type back; the journal line goes once both are done, and
    // stays for a later run when a step failed.
    ServiceSteps Restore();

private:
    void Start(Clock::time_point deadline);

    std::string station_;
    RemoteRegistryJournal& journal_;
    ServiceOptions options_;
    DWORD startType_ = SERVICE_DEMAND_START;
    bool running_ = false;
    bool changed_ = false;
    ServiceSteps started_;
};

// Stops station's service and sets back startType: the failures only.
ServiceSteps RestoreRemoteRegistry(const std::string& station,
                                   DWORD startType,
                                   const ServiceOptions& options);

// One station of the journal that an ended run left changed, put back or not.
struct RestoredStation {
    std::string station;  // empty for the journal itself
    ServiceSteps steps;
};

// Puts back every station of the runs that ended without doing it themselves.
std::vector<RestoredStation> ReplayRemoteRegistryJournal(RemoteRegistryJournal& journal,
                                                         const ServiceOptions& options);
