// StationSession: a TRegistry connected to one root of a named station, for one read or one write.
#pragma once

#include <windows.h>

#include <string>

#include "RegistryApi.h"
#include "TRegistry.h"

class StationSession {
public:
    // Selects the root, then connects to the station by its UNC form; Connected() tells the outcome.
    StationSession(const RegistryApi& api, HKEY root, const std::string& station);

    bool Connected() const { return connected_; }
    TRegistry& Registry() { return registry_; }

private:
    TRegistry registry_;
    bool connected_;
};
