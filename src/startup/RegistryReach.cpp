// The station's registry first, its service manager only when the registry did not answer.
#include "RegistryReach.h"

#include "TRegistry.h"

LONG RegistryAnswer(const Station& station, const RegistryApi& api) {
    TRegistry registry(api);
    return station.SelectRoot(registry, HKEY_LOCAL_MACHINE) ? ERROR_SUCCESS : registry.LastResult();
}

DWORD ShareAnswer(const Station& station) {
    return GetFileAttributesA(station.FileRoot().c_str()) == INVALID_FILE_ATTRIBUTES ? GetLastError()
                                                                                     : ERROR_SUCCESS;
}

RegistryReach ReachRegistry(const Station& station,
                            const RegistryApi& api,
                            RemoteRegistryJournal& journal,
                            const ServiceOptions& options,
                            RemoteRegistryLease::Clock::time_point deadline,
                            const std::function<bool()>& mayStart) {
    RegistryReach reach;
    reach.answer = RegistryAnswer(station, api);
    if (reach.answer == ERROR_SUCCESS || station.IsThisComputer() || !station.IsConnected())
        return reach;
    reach.service = FindRemoteRegistry(station.Name(), options);
    if (reach.service.Stopped() && mayStart())
        reach.lease = std::make_unique<RemoteRegistryLease>(station.Name(), journal, options, deadline);
    return reach;
}
