// The users a station knows whose hive is not loaded: their startup keys are read from their own
// registry file, NTUSER.DAT in the profile folder, in place and never written.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "LoggedOnUsers.h"
#include "StartupSources.h"
#include "Station.h"
#include "SystemProfiles.h"
#include "TRegistry.h"

struct LoggedOffUser {
    std::string sid;
    std::string name;      // the profile folder's name
    std::string hiveFile;  // the user's NTUSER.DAT as seen from here
};

// The profiles of listed, the station's ProfileList (S-1-5-21-...), whose SID has no hive loaded: not one of
// loggedOn, and on this computer not the running user. Whether the file exists is left to ReadUserFileKeys.
std::vector<LoggedOffUser> LoggedOffUsers(const std::vector<ListedProfile>& listed,
                                          const Station& station,
                                          const std::vector<LoggedOnUser>& loggedOn);

// What a logged-off user's file holds of the keys of each user's own hive.
struct UserFileKeys {
    std::map<std::string, std::vector<RegistryValue>> values;  // by the kind's key path
    std::vector<RegistryValue> switches;                       // of the user's Run key
    uint64_t bytesRead = 0;                                    // of the file, to read all of that
};

// Reads the keys of kinds, and the switches, from the user's file; a key that is missing is empty.
// Nothing when the profile has no NTUSER.DAT (the user never logged on). Raises EFileError (EHiveError)
// naming the file when it cannot be read whole.
std::optional<UserFileKeys> ReadUserFileKeys(const LoggedOffUser& user,
                                             const std::vector<const StartupSource*>& kinds);
