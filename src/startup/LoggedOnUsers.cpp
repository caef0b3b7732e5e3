// Listing the logged-on users' hives and naming them from ProfileList.
#include "LoggedOnUsers.h"

#include "LocationViews.h"
#include "SystemProfiles.h"
#include "TRegistry.h"
#include "UserHives.h"

namespace {

std::string ProfileName(const std::string& sid,
                        const RegistryApi& api,
                        const Station& station,
                        const std::vector<ListedProfile>* listed) {
    if (listed)
        for (const ListedProfile& profile : *listed)
            if (EqualsIgnoringCase(profile.sid, sid))
                return profile.name;
    return ProfileNameOfSid(sid, api, station);  // not listed: its folder's name is not a plain one
}

}  // namespace

std::vector<LoggedOnUser> OtherLoggedOnUsers(const RegistryApi& api,
                                             const Station& station,
                                             const std::vector<ListedProfile>* listed) {
    std::vector<LoggedOnUser> users;
    std::vector<std::string> hives;
    {
        TRegistry registry(api);
        if (!station.SelectRoot(registry, HKEY_USERS))
            return users;
        registry.ListKeyNames(hives);
    }
    const std::string own = station.IsThisComputer() ? RunningUserSid() : std::string();
    for (const std::string& hive : hives) {
        if (!IsUserHive(hive) || EqualsIgnoringCase(hive, own))
            continue;
        const std::string name = ProfileName(hive, api, station, listed);
        users.push_back({hive, name.empty() ? hive : name});
    }
    return users;
}

std::optional<LoggedOnUser> LoggedOnUserNamed(const std::string& name,
                                              const RegistryApi& api,
                                              const Station& station) {
    for (LoggedOnUser& user : OtherLoggedOnUsers(api, station))
        if (EqualsIgnoringCase(user.name, name))
            return std::move(user);
    return std::nullopt;
}
