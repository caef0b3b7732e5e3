// Opening the registry key of a startup location, and checking a value against the row that shows it.
#pragma once

#include <string>

#include "RegistryApi.h"
#include "TRegistry.h"
#include "Station.h"

// Selects the station's root and the registry view of a registry tag and opens its key path; any other
// text leaves the default root (HKEY_CURRENT_USER) and opens that root itself. True when the key is open.
bool OpenLocationKey(TRegistry& registry,
                     const std::string& location,
                     bool canCreate,
                     const Station& station = {});

// True when a value of that name stands in the open key with a text other than expected: a name
// whose letters the ANSI code page could not hold reads back with "?" and may name another value.
bool HoldsOtherText(TRegistry& registry, const std::string& name, const std::string& expected);

// True when the key of a registry tag does not exist: such a location is empty, not out of reach.
bool LocationKeyMissing(const RegistryApi& api, const std::string& tag, const Station& station = {});
