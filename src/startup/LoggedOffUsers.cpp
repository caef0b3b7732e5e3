// Finding the users who are not logged on, and reading their keys from their registry files.
#include "LoggedOffUsers.h"

#include <windows.h>

#include "HiveFile.h"
#include "LocationViews.h"
#include "StartupSwitches.h"
#include "SystemProfiles.h"
#include "UserHives.h"

namespace {

std::vector<RegistryValue> ValuesAt(HiveFile& hive, const std::string& path) {
    const std::optional<HiveKey> key = hive.FindKey(path);
    return key ? hive.ListValues(*key) : std::vector<RegistryValue>{};
}

bool IsLoaded(const std::string& sid, const std::vector<LoggedOnUser>& loggedOn, const Station& station) {
    if (station.IsThisComputer() && EqualsIgnoringCase(sid, RunningUserSid()))
        return true;
    for (const LoggedOnUser& user : loggedOn)
        if (EqualsIgnoringCase(user.sid, sid))
            return true;
    return false;
}

}  // namespace

std::vector<LoggedOffUser> LoggedOffUsers(const RegistryApi& api,
                                          const Station& station,
                                          const std::vector<LoggedOnUser>& loggedOn) {
    std::vector<LoggedOffUser> users;
    for (const ListedProfile& profile : ListedProfiles(api, station)) {
        if (!IsUserHive(profile.sid) || IsLoaded(profile.sid, loggedOn, station))
            continue;
        const std::string file = profile.folder + (profile.folder.ends_with("\\") ? "" : "\\") + "NTUSER.DAT";
        if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES)
            users.push_back({profile.sid, profile.name, file});
    }
    return users;
}

UserFileKeys ReadUserFileKeys(const LoggedOffUser& user, const std::vector<const StartupSource*>& kinds) {
    HiveFile hive(user.hiveFile);
    UserFileKeys keys;
    for (const StartupSource* kind : kinds)
        keys.values[kind->keyPath] =
            ValuesAt(hive, std::string(kind->keyPath).substr(1));  // paths start with "\"
    keys.switches = ValuesAt(hive, kUserRunSwitches);
    keys.bytesRead = hive.BytesRead();
    return keys;
}
