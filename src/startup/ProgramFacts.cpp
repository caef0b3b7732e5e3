// Row to program file to facts, both steps remembered, so that a thousand rows naming fifty files
// read fifty files.
#include "ProgramFacts.h"

#include <windows.h>

// A share that does not answer would make every look-up wait for the network, and the station run out
// of time: it is asked once, here.
ProgramFacts::ProgramFacts(const Station& station, const RegistryApi& api, bool withHash)
    : finder_(station, api), withHash_(withHash) {
    if (station.IsConnected() && !station.IsThisComputer() &&
        GetFileAttributesA(station.FileRoot().c_str()) == INVALID_FILE_ATTRIBUTES) {
        driveDown_ = true;
        firstUnreadable_ = station.FileRoot();
    }
}

EntryProgram ProgramFacts::Of(const StartupEntry& row) {
    if (driveDown_) {
        EntryProgram unread;
        unread.facts.unreadable = true;
        return unread;
    }
    // A Startup row's file is its shortcut's; a registry row's depends on its text and its view.
    const std::string key = row.location + '\n' + row.appPath;
    auto program = programs_.find(key);
    if (program == programs_.end())
        program = programs_.emplace(key, finder_.Of(row)).first;
    const ProgramFile& file = program->second;
    if (file.reachable.empty())
        return {file, {}};
    std::string path = file.reachable;
    CharUpperBuffA(path.data(), static_cast<DWORD>(path.size()));
    auto facts = facts_.find(path);
    if (facts == facts_.end()) {
        facts = facts_.emplace(path, ReadFileFacts(file.reachable, withHash_)).first;
        if (facts->second.unreadable && firstUnreadable_.empty())
            firstUnreadable_ = file.reachable;
    }
    return {file, facts->second};
}
