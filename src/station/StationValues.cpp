// Filling the fields from a station, the checks of Write Values, the Set buttons and enabling rules.
#include "StationValues.h"

#include <exception>
#include <utility>

StationValues::StationValues(StationView& view, Notifier& notifier, const RegistryApi& api)
    : view_(view), notifier_(notifier), api_(api) {}

namespace {

std::string OrNotSet(std::string text) {
    return text.empty() ? std::string(kValueNotSet) : std::move(text);
}

}  // namespace

void StationValues::GetStationValues(const std::string& station) {
    if (station.empty()) {
        notifier_.PlayWarningSound();
        notifier_.ShowMessageBox("You MUST enter a station name, in order to make a connection !",
                                 MessageKind::Error);
        view_.FocusField(StationField::LE_Computer);
        return;
    }
    std::string organization, owner, homePage, proxyServer;
    int32_t proxyEnable = 0;
    std::exception_ptr failure;
    try {
        organization = ReadStationOrganization(station);
        owner = ReadStationOwner(station);
        homePage = ReadStationHomePage(station);
        proxyServer = ReadStationProxyServer(station);
        proxyEnable = ReadStationProxyEnable(station);
    } catch (...) {
        // The fields must not keep another station's values: show what was read, then the error.
        failure = std::current_exception();
    }
    ShowReadValues(std::move(owner), std::move(organization), std::move(homePage), std::move(proxyServer),
                   proxyEnable);
    if (failure)
        std::rethrow_exception(failure);
}

void StationValues::ShowReadValues(std::string owner,
                                   std::string organization,
                                   std::string homePage,
                                   std::string proxyServer,
                                   int32_t proxyEnable) {
    const bool proxyOn = proxyEnable != 0;
    view_.MarkProxyRadio(proxyOn ? ProxyRadio::RB_ProxyEnabled : ProxyRadio::RB_ProxyDisabled);
    // Set Proxy right after a read must write back what the radios show, not an older click.
    proxyEnableChoice_ = proxyOn ? 1 : 0;
    view_.SetFieldText(StationField::LE_OwnersName, OrNotSet(std::move(owner)));
    view_.SetFieldText(StationField::LE_Organization, OrNotSet(std::move(organization)));
    view_.SetFieldText(StationField::LE_HomePage, OrNotSet(std::move(homePage)));
    view_.SetFieldText(StationField::LE_Proxy, OrNotSet(std::move(proxyServer)));
}

void StationValues::Button_WriteValuesClick(const std::string& station,
                                            const std::string& owner,
                                            const std::string& organization) {
    // Three independent checks: each empty field gets its own box, the focus ends on the last.
    const struct {
        bool missing;
        const char* message;
        StationField field;
    } checks[] = {
        {station.empty(), "You MUST enter a name for the station !", StationField::LE_Computer},
        {owner.empty(), "You MUST enter an OWNER NAME to set on station specified !",
         StationField::LE_OwnersName},
        {organization.empty(), "You MUST enter an ORGANIZATION NAME to set on station specified !",
         StationField::LE_Organization},
    };
    bool complete = true;
    for (const auto& check : checks) {
        if (!check.missing)
            continue;
        complete = false;
        notifier_.PlayWarningSound();
        notifier_.ShowMessageBox(check.message, MessageKind::Error);
        view_.FocusField(check.field);
    }
    if (!complete)
        return;
    WriteStationOwner(station, owner);
    WriteStationOrganization(station, organization);
}

void StationValues::Button_SetHomePageClick(const std::string& station, const std::string& homePage) {
    WriteStationHomePage(station, homePage);
}

void StationValues::Button_SetProxyClick(const std::string& station, const std::string& proxyServer) {
    WriteStationProxyServer(station, proxyServer);
    WriteStationProxyEnable(station, proxyEnableChoice_);
}

void StationValues::LE_ComputerChange(const std::string& station) {
    view_.EnableButton(StationButton::Button_GetValues, !station.empty());
}

void StationValues::LE_OwnersNameChange(const std::string& owner, const std::string& organization) {
    view_.EnableButton(StationButton::Button_WriteValues, !owner.empty() && !organization.empty());
}

void StationValues::LE_OrganizationChange(const std::string& owner, const std::string& organization) {
    LE_OwnersNameChange(owner, organization);
}

void StationValues::LE_HomePageChange(const std::string& homePage) {
    view_.EnableButton(StationButton::Button_SetHomePage, !homePage.empty());
}

void StationValues::LE_ProxyChange(const std::string& proxyServer) {
    view_.EnableButton(StationButton::Button_SetProxy, !proxyServer.empty());
}
