// Writing the station values through the station's one connection per root; each gives its outcome.
#include "Errors.h"
#include "StationKeys.h"
#include "StationText.h"
#include "StationValues.h"

using namespace station_keys;

Outcome StationValues::ReachIdentity() {
    TRegistry registry(api_);
    return station_.SelectRoot(registry, HKEY_LOCAL_MACHINE) ? Outcome::Done() : NotWritten();
}

Outcome StationValues::WriteIdentityText(const char* valueName, const std::string& text, const char* lead) {
    TRegistry registry(api_);
    if (!station_.SelectRoot(registry, HKEY_LOCAL_MACHINE))
        return NotWritten();
    // A key that does not open leaves no key open; the write then raises for the value.
    registry.OpenPath(kIdentity, false);
    registry.WriteText(valueName, text);
    return Outcome::Done(lead + StationInMessage(name_));
}

// Writes one browser value for every user of the station. With nobody logged on it writes nothing.
// On another station a failed user does not keep the value from the others: the first failure,
// naming the station, is raised once all were tried.
Outcome StationValues::WriteForEveryUser(const char* keyPath, const std::function<void(TRegistry&)>& write) {
    TRegistry registry(api_);
    if (!SelectUsers(registry))
        return NotWritten();
    if (users_->empty())
        return Outcome::Refused("There is NO user logged on to station " + StationInMessage(name_));
    std::string failure;
    for (const std::string& user : *users_) {
        // A key that does not open must not leave the previous user's key open for this write.
        registry.ClosePath();
        try {
            registry.OpenPath(user + keyPath, false);
            write(registry);
        } catch (const ERegistryException& error) {
            if (station_.IsThisComputer())
                throw;
            if (failure.empty())
                failure = error.what() + (" on station " + StationInMessage(name_));
        }
    }
    if (!failure.empty())
        throw ERegistryException(failure);
    return Outcome::Done();
}

Outcome StationValues::WriteUserText(const char* keyPath,
                                     const char* valueName,
                                     const std::string& text,
                                     const char* lead) {
    Outcome written =
        WriteForEveryUser(keyPath, [&](TRegistry& registry) { registry.WriteText(valueName, text); });
    return written.IsDone() ? Outcome::Done(lead + StationInMessage(name_)) : written;
}

Outcome StationValues::WriteStationOwner(const std::string& owner) {
    return WriteIdentityText(kOwner, owner, "The NAME for the Owner was updated successfully on ");
}

Outcome StationValues::WriteStationOrganization(const std::string& organization) {
    return WriteIdentityText(kOrganization, organization,
                             "The NAME for the Organization was updated successfully on ");
}

Outcome StationValues::WriteStationHomePage(const std::string& homePage) {
    return WriteUserText(kBrowserMain, kStartPage, homePage, "The HOME PAGE was updated successfully on ");
}

Outcome StationValues::WriteStationProxyServer(const std::string& proxyServer) {
    return WriteUserText(kInternetSettings, kProxyServer, proxyServer,
                         "The PROXY SERVER was updated successfully on ");
}

Outcome StationValues::WriteStationProxyEnable(int32_t proxyEnable) {
    Outcome written = WriteForEveryUser(
        kInternetSettings, [&](TRegistry& registry) { registry.WriteNumber(kProxyEnable, proxyEnable); });
    // Only the two numbers the radios stand for are reported.
    if (!written.IsDone() || (proxyEnable != 0 && proxyEnable != 1))
        return written;
    return Outcome::Done("The PROXY SERVER was " + std::string(proxyEnable == 0 ? "disabled" : "enabled") +
                         " successfully on " + StationInMessage(name_));
}
