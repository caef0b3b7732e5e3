// Works many stations at once: at most N at a time on N worker threads, each station with its own deadline.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "StationTask.h"

using StationWork = std::function<StationReport(const std::string& station)>;

struct RunnerOptions {
    size_t parallel = 16;
    std::chrono::milliseconds timeout{30000};
    bool shortcuts = true;  // the work reads or writes shortcut files: each worker initialises COM
};

// Calls finished(index, report) on the calling thread, handing the report over, as each station ends, in the
// order they end; a station past its deadline (counted from when it started) ends as timed out, and its
// worker is left behind, since a thread stuck in a network call cannot be stopped, and a new worker takes its
// place. True when no thread was left behind.
bool RunStations(const std::vector<std::string>& stations,
                 const RunnerOptions& options,
                 const StationWork& work,
                 const std::function<void(size_t index, StationReport& report)>& finished);
