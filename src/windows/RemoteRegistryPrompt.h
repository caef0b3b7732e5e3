// The window's side of another station's Remote Registry service: what a killed Tellurin left started is put
// back, a stopped service is started when the user agrees, and it is put back when the window closes.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "RegistryApi.h"
#include "RemoteRegistryService.h"

// "Start the Remote Registry service on S while Tellurin works on it?", Yes or No; true for Yes.
bool AskToStartRemoteRegistry(const std::string& station);

// What the window asks of the world; tests replace parts of it.
struct RemoteRegistrySeams {
    const RegistryApi* registry = &RealRegistryApi();
    ServiceOptions services;
    std::function<bool(const std::string& station)> ask = AskToStartRemoteRegistry;
    std::chrono::milliseconds startWait{30000};
};

// Before the main window opens on station (empty: this computer): the journal's leftovers put back, then the
// station's registry asked; one that does not answer is told why, or, when its service is stopped, the user
// asked once. Every outcome is shown in a box. The lease of a service that now runs for the window, or none.
std::unique_ptr<RemoteRegistryLease> PrepareStationRegistry(const std::string& station,
                                                            RemoteRegistryJournal& journal,
                                                            const RemoteRegistrySeams& seams = {});

// After the window closed: the service put back, a failure shown.
void RestoreStationRegistry(std::unique_ptr<RemoteRegistryLease> lease);
