// The journal of stations whose Remote Registry service a run started: a line is written before the station
// changes and removed once it is as it was, so that a run that dies in between leaves the next one the list.
#pragma once

#include <windows.h>

#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "UniqueHandle.h"

// One station changed: its service was stopped, with this start type, before the run that owns the line.
// Written as "station TAB start type TAB owner" and CR LF, the start type as StartTypeName gives it.
struct JournalLine {
    std::string station;
    DWORD startType = SERVICE_DEMAND_START;
    std::string owner;
};

// What the journal holds of runs that ended without putting their stations back.
struct JournalLeftovers {
    std::vector<JournalLine> lines;
    std::vector<std::string> unreadable;  // kept in the file and never acted on
};

// appDir + "\remote-registry.journal": beside the tool, with the DisabledStores.
std::string RemoteRegistryJournalPath(const std::string& appDir);

// "boot", "system", "automatic", "manual" or "disabled"; and back, nothing for another word.
std::string StartTypeName(DWORD startType);
std::optional<DWORD> StartTypeNamed(const std::string& name);

// Shared by the threads of one run; other runs, in this process or others, use the same file through
// its lock. A run is running while it holds its live file (path + "." + owner + ".live") open without
// sharing: the system closes it, and deletes it, when the process ends however it ends.
class RemoteRegistryJournal {
public:
    // owner: this run's name in its lines; by default this computer's name, the process and a tick count.
    explicit RemoteRegistryJournal(std::string path, std::string owner = NewOwnerName());
    RemoteRegistryJournal(const RemoteRegistryJournal&) = delete;
    RemoteRegistryJournal& operator=(const RemoteRegistryJournal&) = delete;

    const std::string& Path() const { return path_; }

    // Records this run's change of station before it is made. Raises EFileError or EStoreBusy, and then
    // the station must not be changed.
    void Add(const std::string& station, DWORD startType);
    // This run's station is as it was again: its line goes. Raises as Add does.
    void Remove(const std::string& station);

    // The lines of runs that no longer run, and the lines that cannot be read.
    JournalLeftovers Leftovers() const;
    // A leftover station is as it was again: its line goes, and its run's live file once it has no line.
    void Forget(const JournalLine& line);

    static std::string NewOwnerName();

private:
    void KeepLiveFile();

    std::string path_;
    std::string owner_;
    std::mutex liveMutex_;
    UniqueFile live_;
};
