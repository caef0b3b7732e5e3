// The values of one station: owner and organization, browser home page and proxy, read and written.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "RegistryApi.h"
#include "Station.h"
#include "Outcome.h"

// Stands in a field when the station answered but has no text for it.
inline constexpr const char kValueNotSet[] = "(Value is not set)";
// Stands in a field when the station could not be connected.
inline constexpr const char kNotConnected[] = "none";

// What Get Values found, each text as it is shown: the value, "none" or "(Value is not set)".
struct StationReading {
    std::string organization = kValueNotSet;
    std::string owner = kValueNotSet;
    std::string homePage = kValueNotSet;
    std::string proxyServer = kValueNotSet;
    bool proxyOn = false;  // "ProxyEnable" other than 0
};

// Every read and write of one StationValues goes through one Station: one connection per root, made
// on first use, refused once for all when the station does not answer.
class StationValues {
public:
    // The station as typed, this computer's name too; computerName decides which name is this computer.
    StationValues(const std::string& station, const std::string& computerName, const RegistryApi& api);
    explicit StationValues(const std::string& station, const RegistryApi& api = RealRegistryApi());

    // Readers: the text, "none" when not connected, empty when connected but unset.
    std::string ReadStationOwner();
    std::string ReadStationOrganization();
    std::string ReadStationHomePage();
    std::string ReadStationProxyServer();
    // 0 when not connected or nobody is logged on; raises when the value is missing or not a number.
    int32_t ReadStationProxyEnable();

    // Reads organization, owner, home page, proxy server and proxy switch, in that order, into
    // reading. Raises where a read fails: what was read stands in reading, the rest as unset.
    void GetStationValues(StationReading& reading);

    // Whether the station's HKEY_LOCAL_MACHINE answers; failed with the text the user is shown.
    Outcome ReachIdentity();
    // Writers: done with the text that reports the write, failed when the station does not answer,
    // refused when nobody is logged on to another station (browser values). A value the station
    // refuses raises. The browser values go to every user logged on to another station.
    Outcome WriteStationOwner(const std::string& owner);
    Outcome WriteStationOrganization(const std::string& organization);
    Outcome WriteStationHomePage(const std::string& homePage);
    Outcome WriteStationProxyServer(const std::string& proxyServer);
    // Done without a text for a number other than 0 and 1, which the radios cannot show.
    Outcome WriteStationProxyEnable(int32_t proxyEnable);

private:
    std::string ReadIdentityText(const char* valueName);
    std::string ReadUserText(const char* keyPath, const char* valueName);
    Outcome WriteIdentityText(const char* valueName, const std::string& text, const char* lead);
    Outcome WriteUserText(const char* keyPath,
                          const char* valueName,
                          const std::string& text,
                          const char* lead);
    Outcome WriteForEveryUser(const char* keyPath, const std::function<void(TRegistry&)>& write);
    // Selects the users' root; false when the station does not answer. The users are listed once.
    bool SelectUsers(TRegistry& registry);
    Outcome NotWritten() const;

    std::string name_;
    const RegistryApi& api_;
    Station station_;
    std::optional<std::vector<std::string>> users_;
};
