// Another station's work with its registry asked first: a station that does not answer is told why in words
// that say what helps, and with --start-remote-registry a stopped Remote Registry service is started for the
// work and put back after it.
#pragma once

#include <memory>
#include <string>

#include "RemoteRegistryService.h"
#include "StationTask.h"

// What the Remote Registry sequence works with besides the station.
struct RemoteRegistryTools {
    ServiceOptions services;
    // Shared with the workers, which may outlive the run when a station never answers.
    std::shared_ptr<RemoteRegistryJournal> journal;
};

// Said after a stopped service when the run was not asked to start it.
inline constexpr const char* kStartRemoteRegistryHint =
    " --start-remote-registry starts it for the run and puts it back afterwards.";

// WorkStationWithFiles, with the station's reachability told and, with the command's flag, its Remote
// Registry service started for the work, each step said before the work's own messages and the restore after
// them. The start's wait counts against the station's --timeout. Never raises.
StationReport WorkReachedStation(const CliCommand& command,
                                 const std::string& station,
                                 const LocalMachine& local,
                                 const RemoteRegistryTools& tools);
