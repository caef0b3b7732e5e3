// Opening the registry key of a startup location, and checking a value against the row that shows it.
#pragma once

#include <optional>
#include <string>

#include "RegistryApi.h"
#include "TRegistry.h"
#include "Station.h"

// Where a registry location's key stands on a station.
struct LocationPlace {
    HKEY root;
    std::string path;  // as passed to TRegistry::OpenPath
    REGSAM view = 0;
};

// The place of a tag of the location table, or of a logged-on user's own key ("Run\bob"), that key
// under the user's hive. Nothing for other text, and for a user who is not logged on to the station.
std::optional<LocationPlace> PlaceOfLocation(const std::string& location,
                                             const RegistryApi& api,
                                             const Station& station = {});

// Selects the station's root and the registry view of a registry location and opens its key path; a
// user's key whose user is not logged on is not opened. Any other text leaves the default root
// (HKEY_CURRENT_USER) and opens that root itself. True when the key is open.
bool OpenLocationKey(TRegistry& registry,
                     const RegistryApi& api,
                     const std::string& location,
                     bool canCreate,
                     const Station& station = {});

// True when a value of that name stands in the open key with a text other than expected: a name
// whose letters the ANSI code page could not hold reads back with "?" and may name another value.
bool HoldsOtherText(TRegistry& registry, const std::string& name, const std::string& expected);
