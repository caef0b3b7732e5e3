// list --details: each row's program file and what it says of itself, read on the station's own thread.
#pragma once

#include <string>

#include "StationTask.h"

// WorkStation, then for list --details one EntryProgram per row in report.files. A file that could
// not be read leaves its fields empty and adds one note to the station's messages.
StationReport WorkStationWithFiles(const CliCommand& command,
                                   const std::string& station,
                                   const LocalMachine& local);
// The same on a station already named, whose connections it uses.
StationReport WorkStationWithFiles(const CliCommand& command,
                                   const Station& target,
                                   const LocalMachine& local);
