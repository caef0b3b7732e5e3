// The station values of the Computer Information window: owner, organization, home page and proxy.
#pragma once

#include <cstdint>
#include <string>

#include "RegistryApi.h"
#include "StationView.h"
#include "Notifier.h"

// Stands in a field when the station answered but has no text for it.
inline constexpr const char kValueNotSet[] = "(Value is not set)";
// Stands in a field when the station could not be connected.
inline constexpr const char kNotConnected[] = "none";

class StationValues {
public:
    StationValues(StationView& view, Notifier& notifier, const RegistryApi& api = RealRegistryApi());

    // Readers: the text, "none" when not connected, empty when connected but unset.
    std::string ReadStationOwner(const std::string& station);
    std::string ReadStationOrganization(const std::string& station);
    std::string ReadStationHomePage(const std::string& station);
    std::string ReadStationProxyServer(const std::string& station);
    // 0 when not connected; raises when the value is missing or not a number.
    int32_t ReadStationProxyEnable(const std::string& station);

    // Writers: each connects anew and reports its outcome in a message box. The browser values go
    // to every user logged on to another station; see StationUserSession.
    void WriteStationOwner(const std::string& station, const std::string& owner);
    void WriteStationOrganization(const std::string& station, const std::string& organization);
    void WriteStationHomePage(const std::string& station, const std::string& homePage);
    void WriteStationProxyServer(const std::string& station, const std::string& proxyServer);
    void WriteStationProxyEnable(const std::string& station, int32_t proxyEnable);

    // Fills the four fields and the proxy radios from the station. When a read raises, what was
    // read still goes into the fields (the rest shows "(Value is not set)") before the error goes on.
    void GetStationValues(const std::string& station);

    // Handlers; the window passes the texts of its controls.
    void Button_GetValuesClick(const std::string& station) { GetStationValues(station); }
    void Button_WriteValuesClick(const std::string& station,
                                 const std::string& owner,
                                 const std::string& organization);
    void Button_SetHomePageClick(const std::string& station, const std::string& homePage);
    void Button_SetProxyClick(const std::string& station, const std::string& proxyServer);
    void RB_ProxyEnabledClick() { proxyEnableChoice_ = 1; }
    void RB_ProxyDisabledClick() { proxyEnableChoice_ = 0; }

    // Enabling rules, run on every change of a field's text.
    void LE_ComputerChange(const std::string& station);
    void LE_OwnersNameChange(const std::string& owner, const std::string& organization);
    void LE_OrganizationChange(const std::string& owner, const std::string& organization);
    void LE_HomePageChange(const std::string& homePage);
    void LE_ProxyChange(const std::string& proxyServer);

    // What Set Proxy writes as "ProxyEnable": the last radio click, or the switch last read.
    int32_t ProxyEnableChoice() const { return proxyEnableChoice_; }

private:
    std::string ReadStationText(HKEY root,
                                const char* keyPath,
                                const char* valueName,
                                const std::string& station);
    std::string ReadStationUserText(const char* keyPath, const char* valueName, const std::string& station);
    void ShowReadValues(std::string owner,
                        std::string organization,
                        std::string homePage,
                        std::string proxyServer,
                        int32_t proxyEnable);

    StationView& view_;
    Notifier& notifier_;
    const RegistryApi& api_;
    int32_t proxyEnableChoice_ = 0;
};
