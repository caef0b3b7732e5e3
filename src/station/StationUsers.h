// The current-user part of a station's registry: this computer's HKEY_CURRENT_USER, or on any other
// station the hives of the users logged on there, since Windows connects no other computer's
// HKEY_CURRENT_USER.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Station.h"
#include "TRegistry.h"

// The root that holds the keys of the station's users.
HKEY UsersRootOf(const Station& station);

// One prefix per user, to put before an absolute key path, in the order the station lists them:
// "" for this computer's HKEY_CURRENT_USER, "\<hive>" for each user logged on to another station.
// The registry has the station's UsersRootOf selected; empty when nobody is logged on.
std::vector<std::string> UserRootsOf(const Station& station, TRegistry& registry);
