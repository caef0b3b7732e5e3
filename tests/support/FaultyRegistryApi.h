// A RegistryApi that goes to Wine's real registry but fails the calls a test names.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "RegistryApi.h"

enum class RegCall {
    OpenKey,
    CreateKey,
    CloseKey,
    Connect,
    QueryValue,
    SetValue,
    DeleteValue,
    QueryInfoKey,
    EnumValue,
    EnumKey
};

struct RegistryFaults {
    struct Rule {
        RegCall call;
        std::string containing;  // path, value or computer name must contain this; empty matches all
    };
    std::vector<Rule> rules;
    LONG failResult = ERROR_ACCESS_DENIED;
    std::map<RegCall, int> calls;     // every call, failed or not
    std::vector<HKEY> closed;         // every handle given to RegCloseKey
    std::vector<std::string> opened;  // every path given to RegOpenKeyExA / RegCreateKeyExA
    std::vector<REGSAM> openMasks;    // the access mask of each of those calls
    std::vector<HKEY> connected;      // the root every RegConnectRegistryA asked for
};

// The plan the faulty API follows; reset by ScopedFaults.
RegistryFaults& Faults();
const RegistryApi& FaultyRegistryApi();

// Installs a fresh plan for one test and clears it again afterwards.
class ScopedFaults {
public:
    ScopedFaults() { Faults() = RegistryFaults{}; }
    ~ScopedFaults() { Faults() = RegistryFaults{}; }
    ScopedFaults& Fail(RegCall call, std::string containing = {}) {
        Faults().rules.push_back({call, std::move(containing)});
        return *this;
    }
};
