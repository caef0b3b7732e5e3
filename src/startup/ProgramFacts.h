// The program file of each row with its facts; each distinct file is examined once.
#pragma once

#include <map>
#include <string>

#include "FileFacts.h"
#include "ProgramFile.h"

struct EntryProgram {
    ProgramFile file;
    FileFacts facts;
};

class ProgramFacts {
public:
    ProgramFacts(const Station& station, const RegistryApi& api, bool withHash);

    // Startup rows read their shortcut: the caller's thread must have initialised COM.
    EntryProgram Of(const StartupEntry& row);
    // The first file that was there or perhaps there but could not be read; empty when none.
    const std::string& FirstUnreadable() const { return firstUnreadable_; }

private:
    ProgramFileFinder finder_;
    bool withHash_;
    std::map<std::string, ProgramFile> programs_;  // by command, and view
    std::map<std::string, FileFacts> facts_;       // by reachable path, in upper case
    std::string firstUnreadable_;
    bool driveDown_ = false;  // another station's drive does not answer: none of its files is tried
};
