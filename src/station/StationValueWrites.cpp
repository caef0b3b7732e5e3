// Writing the station values, each through a connection of its own, with the outcome in a box.
#include <functional>

#include "Errors.h"
#include "StationKeys.h"
#include "StationSession.h"
#include "StationText.h"
#include "StationUsers.h"
#include "StationValues.h"

using namespace station_keys;

namespace {

void ShowNotWritten(Notifier& notifier, const std::string& station) {
    notifier.ShowMessageBox("I could NOT write to registry on station " + StationInMessage(station),
                            MessageKind::Error);
}

// The owner and organization writes announce themselves and warn before their error.
void WriteIdentityText(const RegistryApi& api,
                       Notifier& notifier,
                       const std::string& station,
                       const char* valueName,
                       const std::string& text,
                       const char* lead) {
    StationSession session(api, HKEY_LOCAL_MACHINE, station);
    if (!session.Connected()) {
        notifier.PlayWarningSound();
        ShowNotWritten(notifier, station);
        return;
    }
    notifier.PlayNotifySound();
    TRegistry& registry = session.Registry();
    // A key that does not open leaves no key open; the write then raises for the value.
    registry.OpenPath(kIdentity, false);
    registry.WriteText(valueName, text);
    registry.ClosePath();
    notifier.ShowMessageBox(lead + StationInMessage(station), MessageKind::Information);
}

// Writes one browser value for every user of the station; true when all were written. With nobody
// logged on it warns and writes nothing. On another station a failed user does not keep the value
// from the others: the first failure, naming the station, is raised once all were tried.
bool WriteForEveryUser(const RegistryApi& api,
                       Notifier& notifier,
                       const std::string& station,
                       const char* keyPath,
                       const std::function<void(TRegistry&)>& write) {
    StationUserSession session(api, station);
    if (!session.Connected()) {
        ShowNotWritten(notifier, station);
        return false;
    }
    if (session.UserRoots().empty()) {
        notifier.ShowMessageBox("There is NO user logged on to station " + StationInMessage(station),
                                MessageKind::Warning);
        return false;
    }
    TRegistry& registry = session.Registry();
    std::string failure;
    for (const std::string& user : session.UserRoots()) {
        // A key that does not open must not leave the previous user's key open for this write.
        registry.ClosePath();
        try {
            registry.OpenPath(user + keyPath, false);
            write(registry);
        } catch (const ERegistryException& error) {
            if (session.IsThisComputer())
                throw;
            if (failure.empty())
                failure = error.what() + (" on station " + StationInMessage(station));
        }
    }
    if (!failure.empty())
        throw ERegistryException(failure);
    return true;
}

// The browser writes play no cue.
void WriteBrowserText(const RegistryApi& api,
                      Notifier& notifier,
                      const std::string& station,
                      const char* keyPath,
                      const char* valueName,
                      const std::string& text,
                      const char* lead) {
    if (WriteForEveryUser(api, notifier, station, keyPath,
                          [&](TRegistry& registry) { registry.WriteText(valueName, text); }))
        notifier.ShowMessageBox(lead + StationInMessage(station), MessageKind::Information);
}

}  // namespace

void StationValues::WriteStationOwner(const std::string& station, const std::string& owner) {
    WriteIdentityText(api_, notifier_, station, kOwner, owner,
                      "The NAME for the Owner was updated successfully on ");
}

void StationValues::WriteStationOrganization(const std::string& station, const std::string& organization) {
    WriteIdentityText(api_, notifier_, station, kOrganization, organization,
                      "The NAME for the Organization was updated successfully on ");
}

void StationValues::WriteStationHomePage(const std::string& station, const std::string& homePage) {
    WriteBrowserText(api_, notifier_, station, kBrowserMain, kStartPage, homePage,
                     "The HOME PAGE was updated successfully on ");
}

void StationValues::WriteStationProxyServer(const std::string& station, const std::string& proxyServer) {
    WriteBrowserText(api_, notifier_, station, kInternetSettings, kProxyServer, proxyServer,
                     "The PROXY SERVER was updated successfully on ");
}

void StationValues::WriteStationProxyEnable(const std::string& station, int32_t proxyEnable) {
    if (!WriteForEveryUser(api_, notifier_, station, kInternetSettings,
                           [&](TRegistry& registry) { registry.WriteNumber(kProxyEnable, proxyEnable); }))
        return;
    // Only the two numbers the radios stand for are reported.
    if (proxyEnable == 0)
        notifier_.ShowMessageBox("The PROXY SERVER was disabled successfully on " + StationInMessage(station),
                                 MessageKind::Information);
    else if (proxyEnable == 1)
        notifier_.ShowMessageBox("The PROXY SERVER was enabled successfully on " + StationInMessage(station),
                                 MessageKind::Information);
}
