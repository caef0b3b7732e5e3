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

bool IsLoaded(const std::string& sid,
              const std::vector<LoggedOnUser>& loggedOn,
              const std::string& runningSid) {
    if (!runningSid.empty() && EqualsIgnoringCase(sid, runningSid))
        return true;
    for (const LoggedOnUser& user : loggedOn)
        if (EqualsIgnoringCase(user.sid, sid))
            return true;
    return false;
}

}  // namespace

std::vector<LoggedOffUser> LoggedOffUsers(const std::vector<ListedProfile>& listed,
                                          const Station& station,
                                          const std::vector<LoggedOnUser>& loggedOn) {
    std::vector<LoggedOffUser> users;
    // Asked of the token once: each asking costs a handful of calls, and the answer never changes.
    const std::string runningSid = station.IsThisComputer() ? RunningUserSid() : std::string();
    for (const ListedProfile& profile : listed) {
        if (!IsUserHive(profile.sid) || IsLoaded(profile.sid, loggedOn, runningSid))
            continue;
        const std::string file = profile.folder + (profile.folder.ends_with("\\") ? "" : "\\") + "NTUSER.DAT";
        users.push_back({profile.sid, profile.name, file});
    }
    return users;
}

std::optional<UserFileKeys> ReadUserFileKeys(const LoggedOffUser& user,
                                             const std::vector<const StartupSource*>& kinds) {
    std::optional<HiveFile> opened;
    try {
        opened.emplace(user.hiveFile);
    } catch (const EHiveError& error) {
        // Found by opening it, not asked first: a listing of many users costs a call less for each.
        if (error.Code() == ERROR_FILE_NOT_FOUND || error.Code() == ERROR_PATH_NOT_FOUND)
            return std::nullopt;
        throw;
    }
    HiveFile& hive = *opened;
    UserFileKeys keys;
    for (const StartupSource* kind : kinds)
        keys.values[kind->keyPath] =
            ValuesAt(hive, std::string(kind->keyPath).substr(1));  // paths start with "\"
    keys.switches = ValuesAt(hive, kUserRunSwitches);
    keys.bytesRead = hive.BytesRead();
    return keys;
}
