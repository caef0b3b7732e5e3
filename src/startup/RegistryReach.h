// Another station's registry asked before its work; when it does not answer and its Remote Registry service
// is stopped, the service is started for the work if the caller agrees.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "RemoteRegistryService.h"
#include "Station.h"

struct RegistryReach {
    LONG answer = ERROR_SUCCESS;  // of the station's registry connection, before any start
    ServiceFinding service;       // asked only when the registry did not answer
    // A start was tried: Restore it after the work. The station's connections have kept the refusal: the
    // work goes through a station made anew.
    std::unique_ptr<RemoteRegistryLease> lease;
};

// The answer of the station's HKEY_LOCAL_MACHINE connection, which the station keeps for its work.
LONG RegistryAnswer(const Station& station, const RegistryApi& api);
// What asking for the station's drive C: answered.
DWORD ShareAnswer(const Station& station);

// mayStart is asked only for a stopped service, and at most once.
RegistryReach ReachRegistry(const Station& station,
                            const RegistryApi& api,
                            RemoteRegistryJournal& journal,
                            const ServiceOptions& options,
                            RemoteRegistryLease::Clock::time_point deadline,
                            const std::function<bool()>& mayStart);
