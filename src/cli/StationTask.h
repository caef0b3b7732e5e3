// The work of one station: the startup book driven by the command, its rows and messages kept.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "CliCommand.h"
#include "RegistryApi.h"
#include "ProgramFacts.h"
#include "StartupEntry.h"
#include "Station.h"

// What one station gave back.
struct StationReport {
    bool ok = true;
    std::vector<std::string> messages;  // what the window would have shown, in order, before the status
    std::string status;                 // "12 entries", "done", or the reason of the failure
    std::vector<StartupEntry> rows;     // the rows of list, in the window's order
    std::vector<EntryProgram> files;    // list --details: one per row
};

// This computer, as the tool sees it.
struct LocalMachine {
    std::string computerName;  // GetComputerNameA
    std::string appDir;        // the tool's folder, where the DisabledStores live
    const RegistryApi* api = &RealRegistryApi();
    // Where another station's drive C: is seen from here: its administrative share; a folder in tests.
    std::function<std::string(const std::string& station)> fileRootOf = AdministrativeShareOf;
};

// Runs the command on one station (empty: this computer). Another station is first asked for its
// registry, and for its drive when the command needs the Startup folders; one that does not answer
// fails with the system's reason. Never raises: errors become the report.
StationReport WorkStation(const CliCommand& command, const std::string& station, const LocalMachine& local);
// The same on a station already named, whose connections the caller may use again afterwards.
StationReport WorkStation(const CliCommand& command, const Station& target, const LocalMachine& local);
// The station a name given to tellurinc stands for.
Station StationOf(const std::string& station, const LocalMachine& local);
