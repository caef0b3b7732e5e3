// The users logged on to a station whose own registry keys the startup list shows besides the
// running user's: their hives under HKEY_USERS.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "RegistryApi.h"
#include "Station.h"
#include "SystemProfiles.h"

struct LoggedOnUser {
    std::string sid;   // the hive's name under HKEY_USERS
    std::string name;  // as the Users list names that user's profile; the SID when it has none
};

// Every user hive of the station in the order HKEY_USERS lists them, except, on this computer, the
// running user's own, which is HKEY_CURRENT_USER. None when the station's HKEY_USERS cannot be read.
// Each is named by its profile in listed when given (else its profile is looked up alone).
std::vector<LoggedOnUser> OtherLoggedOnUsers(const RegistryApi& api,
                                             const Station& station = {},
                                             const std::vector<ListedProfile>* listed = nullptr);

// The one of them shown as name (any letter case); nothing when that user is not logged on.
std::optional<LoggedOnUser> LoggedOnUserNamed(const std::string& name,
                                              const RegistryApi& api,
                                              const Station& station = {});
