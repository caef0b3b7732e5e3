// Removing an entry for good: from its location when enabled, from the DisabledStore otherwise.
#include <windows.h>

#include "startup/LocationKeys.h"
#include "startup/LocationRegistry.h"
#include "startup/StartupList.h"
#include "startup/StartupMessages.h"
#include "startup/StoreLock.h"

void StartupList::RemoveApp1Click(const StartupEntry& row) {
    const std::string locationKey = ToLocationKey(row.location);
    const StoreLock lock(DisabledStoreFile());
    // A row held off by Windows' switch stands in its location all the same.
    if (row.status == kStatusEnabled || row.switchedOff)
        DeleteStartupEntry(locationKey, row.appName, row.appPath);
    else
        Store().RemoveDisabledEntry(locationKey, row.appName);
    RefreshStartupList();
}

void StartupList::DeleteStartupEntry(const std::string& location,
                                     const std::string& appName,
                                     const std::string& appPath) {
    if (IsStartupKey(location)) {
        // Only a shortcut file of a Startup folder; a row of the Startup view may also show a registry
        // value, whose path names a program that must not be deleted.
        const std::optional<UserProfile> profile = Profiles().Named(UserOfStartupKey(location));
        if (profile && IsDirectlyIn(appPath, profile->startupFolder)) {
            if (DeleteFileA(appPath.c_str()))
                DropSwitch(location, appName);
        } else {
            notifier_.ShowMessageBox(AtLocation(location, NotAStartupShortcutText(appPath)),
                                     MessageKind::Error);
        }
        return;
    }
    TRegistry registry(api_);
    if (!OpenLocationKey(registry, location, true, station_))
        return;
    if (HoldsOtherText(registry, appName, appPath))
        notifier_.ShowMessageBox(AtLocation(location, OtherValueText(appName)), MessageKind::Error);
    else if (registry.RemoveValue(appName))
        DropSwitch(location, appName);
    else
        notifier_.ShowMessageBox(AtLocation(location, kCouldNotDelete), MessageKind::Error);
}
