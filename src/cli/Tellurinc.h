// tellurinc from arguments to exit status, with its outputs and the work of a station handed in.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "CliCommand.h"
#include "RemoteRegistryService.h"
#include "StationTask.h"

struct CliEnvironment {
    std::function<void(const std::string& utf8)> writeOut;
    std::function<void(const std::string& utf8)> writeErr;
    bool errIsConsole = false;                 // a console also gets a progress line while stations are open
    std::function<std::string()> fileVersion;  // of the tool's version resource, read for --version only
    std::string computerName;                  // this computer: the station field when no station is named
    // The work of one station; the tests simulate stations here.
    std::function<StationReport(const CliCommand& command, const std::string& station)> work;
    // Puts back what runs that ended early left changed, for restore-remote-registry and before the stations
    // of a run with --start-remote-registry; none: no journal.
    std::function<std::vector<RestoredStation>()> replayRemoteRegistry;
};

struct CliOutcome {
    int exitStatus = 0;  // 0 all done, 1 a station or an action failed, 2 a usage error, 3 compare: a change
    bool threadsLeft = false;  // a station never answered: its thread still runs
};

// args: the arguments after the program's name, in the system's ANSI code page.
CliOutcome RunTellurinc(const std::vector<std::string>& args, const CliEnvironment& environment);
