// Finding the users of a station whose browser values are read and written.
#include "StationUsers.h"

#include "TExeInfo.h"
#include "UserHives.h"

bool IsThisComputer(const std::string& station) {
    return IsThisComputerName(station, TExeInfo::ComputerName());
}

StationUserSession::StationUserSession(const RegistryApi& api, const std::string& station)
    : thisComputer_(::IsThisComputer(station)),
      session_(api, thisComputer_ ? HKEY_CURRENT_USER : HKEY_USERS, station) {
    if (!session_.Connected())
        return;
    if (thisComputer_) {
        userRoots_.emplace_back();
        return;
    }
    std::vector<std::string> hives;
    session_.Registry().ListKeyNames(hives);
    for (const std::string& hive : hives)
        if (IsUserHive(hive))
            userRoots_.push_back("\\" + hive);
}
