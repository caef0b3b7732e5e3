// Finding the users of a station whose browser values are read and written.
#include "StationUsers.h"

#include "UserHives.h"

HKEY UsersRootOf(const Station& station) {
    return station.IsThisComputer() ? HKEY_CURRENT_USER : HKEY_USERS;
}

std::vector<std::string> UserRootsOf(const Station& station, TRegistry& registry) {
    if (station.IsThisComputer())
        return {""};
    std::vector<std::string> hives;
    registry.ListKeyNames(hives);
    std::vector<std::string> users;
    for (const std::string& hive : hives)
        if (IsUserHive(hive))
            users.push_back("\\" + hive);
    return users;
}
