// Finding the users of a station whose browser values are read and written.
#include "StationUsers.h"

#include "TExeInfo.h"

namespace {

constexpr char kUserHivePrefix[] = "S-1-5-21-";
constexpr char kClassesSuffix[] = "_Classes";

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

bool IsThisComputer(const std::string& station) {
    return IsThisComputerName(station, TExeInfo::ComputerName());
}

bool IsUserHive(const std::string& name) {
    return name.rfind(kUserHivePrefix, 0) == 0 && !EndsWith(name, kClassesSuffix);
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
