// Reading the station values, each through a connection of its own.
#include "StationKeys.h"
#include "StationSession.h"
#include "StationUsers.h"
#include "StationValues.h"

using namespace station_keys;

std::string StationValues::ReadStationText(HKEY root,
                                           const char* keyPath,
                                           const char* valueName,
                                           const std::string& station) {
    StationSession session(api_, root, station);
    if (!session.Connected())
        return kNotConnected;
    TRegistry& registry = session.Registry();
    // A key that does not open leaves no key open, and the read then gives the empty text.
    registry.OpenPathForReading(keyPath);
    std::string text = registry.ReadText(valueName);
    registry.ClosePath();
    return text;
}

// The first user's value; with nobody logged on, the empty text of an unset value.
std::string StationValues::ReadStationUserText(const char* keyPath,
                                               const char* valueName,
                                               const std::string& station) {
    StationUserSession session(api_, station);
    if (!session.Connected())
        return kNotConnected;
    if (session.UserRoots().empty())
        return {};
    TRegistry& registry = session.Registry();
    registry.OpenPathForReading(session.UserRoots().front() + keyPath);
    std::string text = registry.ReadText(valueName);
    registry.ClosePath();
    return text;
}

std::string StationValues::ReadStationOwner(const std::string& station) {
    return ReadStationText(HKEY_LOCAL_MACHINE, kIdentity, kOwner, station);
}

std::string StationValues::ReadStationOrganization(const std::string& station) {
    return ReadStationText(HKEY_LOCAL_MACHINE, kIdentity, kOrganization, station);
}

std::string StationValues::ReadStationHomePage(const std::string& station) {
    return ReadStationUserText(kBrowserMain, kStartPage, station);
}

std::string StationValues::ReadStationProxyServer(const std::string& station) {
    return ReadStationUserText(kInternetSettings, kProxyServer, station);
}

int32_t StationValues::ReadStationProxyEnable(const std::string& station) {
    StationUserSession session(api_, station);
    // Nobody logged on reads as switched off, like an unreachable station, without an error.
    if (!session.Connected() || session.UserRoots().empty())
        return 0;
    TRegistry& registry = session.Registry();
    registry.OpenPathForReading(session.UserRoots().front() + kInternetSettings);
    const int32_t proxyEnable = registry.ReadNumber(kProxyEnable);
    registry.ClosePath();
    return proxyEnable;
}
