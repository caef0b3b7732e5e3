// One station for all the values of Computer Information, and Get Values over it.
#include "StationValues.h"

#include <utility>

#include "StationUsers.h"
#include "StationText.h"
#include "TExeInfo.h"

namespace {

std::string OrNotSet(std::string text) {
    return text.empty() ? std::string(kValueNotSet) : std::move(text);
}

}  // namespace

StationValues::StationValues(const std::string& station,
                             const std::string& computerName,
                             const RegistryApi& api)
    : name_(station), api_(api), station_(StationReachedByName(station, computerName)) {}

StationValues::StationValues(const std::string& station, const RegistryApi& api)
    : StationValues(station, TExeInfo::ComputerName(), api) {}

void StationValues::GetStationValues(StationReading& reading) {
    reading.organization = OrNotSet(ReadStationOrganization());
    reading.owner = OrNotSet(ReadStationOwner());
    reading.homePage = OrNotSet(ReadStationHomePage());
    reading.proxyServer = OrNotSet(ReadStationProxyServer());
    reading.proxyOn = ReadStationProxyEnable() != 0;
}

bool StationValues::SelectUsers(TRegistry& registry) {
    if (!station_.SelectRoot(registry, UsersRootOf(station_)))
        return false;
    if (!users_)
        users_ = UserRootsOf(station_, registry);
    return true;
}

Outcome StationValues::NotWritten() const {
    return Outcome::Failed("I could NOT write to registry on station " + StationInMessage(name_));
}
