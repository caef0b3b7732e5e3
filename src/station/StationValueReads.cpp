// Reading the station values through the station's one connection per root.
#include "StationKeys.h"
#include "StationValues.h"

using namespace station_keys;

std::string StationValues::ReadIdentityText(const char* valueName) {
    TRegistry registry(api_);
    if (!station_.SelectRoot(registry, HKEY_LOCAL_MACHINE))
        return kNotConnected;
    // A key that does not open leaves no key open, and the read then gives the empty text.
    registry.OpenPathForReading(kIdentity);
    return registry.ReadText(valueName);
}

// The first user's value; with nobody logged on, the empty text of an unset value.
std::string StationValues::ReadUserText(const char* keyPath, const char* valueName) {
    TRegistry registry(api_);
    if (!SelectUsers(registry))
        return kNotConnected;
    if (users_->empty())
        return {};
    registry.OpenPathForReading(users_->front() + keyPath);
    return registry.ReadText(valueName);
}

std::string StationValues::ReadStationOwner() {
    return ReadIdentityText(kOwner);
}

std::string StationValues::ReadStationOrganization() {
    return ReadIdentityText(kOrganization);
}

std::string StationValues::ReadStationHomePage() {
    return ReadUserText(kBrowserMain, kStartPage);
}

std::string StationValues::ReadStationProxyServer() {
    return ReadUserText(kInternetSettings, kProxyServer);
}

int32_t StationValues::ReadStationProxyEnable() {
    TRegistry registry(api_);
    // Nobody logged on reads as switched off, like an unreachable station, without an error.
    if (!SelectUsers(registry) || users_->empty())
        return 0;
    registry.OpenPathForReading(users_->front() + kInternetSettings);
    return registry.ReadNumber(kProxyEnable);
}
