// Writing the station values, each through a connection of its own, with the outcome in a box.
#include "station/StationKeys.h"
#include "station/StationSession.h"
#include "station/StationText.h"
#include "station/StationValues.h"

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

// The browser writes play no cue.
void WriteBrowserText(const RegistryApi& api,
                      Notifier& notifier,
                      const std::string& station,
                      const char* keyPath,
                      const char* valueName,
                      const std::string& text,
                      const char* lead) {
    StationSession session(api, HKEY_CURRENT_USER, station);
    if (!session.Connected()) {
        ShowNotWritten(notifier, station);
        return;
    }
    TRegistry& registry = session.Registry();
    registry.OpenPath(keyPath, false);
    registry.WriteText(valueName, text);
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
    StationSession session(api_, HKEY_CURRENT_USER, station);
    if (!session.Connected()) {
        ShowNotWritten(notifier_, station);
        return;
    }
    TRegistry& registry = session.Registry();
    registry.OpenPath(kInternetSettings, false);
    registry.WriteNumber(kProxyEnable, proxyEnable);
    // Only the two numbers the radios stand for are reported.
    if (proxyEnable == 0)
        notifier_.ShowMessageBox("The PROXY SERVER was disabled successfully on " + StationInMessage(station),
                                 MessageKind::Information);
    else if (proxyEnable == 1)
        notifier_.ShowMessageBox("The PROXY SERVER was enabled successfully on " + StationInMessage(station),
                                 MessageKind::Information);
}
