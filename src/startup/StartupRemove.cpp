// Removing an entry for good: from its location when enabled, from the DisabledStore otherwise.
#include <windows.h>

#include "startup/LocationKeys.h"
#include "startup/LocationRegistry.h"
#include "startup/ProfileFolders.h"
#include "startup/StartupList.h"
#include "startup/StartupMessages.h"

void StartupList::RemoveApp1Click(const StartupEntry& row) {
    const std::string locationKey = ToLocationKey(row.location);
    if (row.status == kStatusEnabled)
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
        if (IsInStartupFolderOf(appPath, UserOfStartupKey(location), station_))
            DeleteFileA(appPath.c_str());
        else
            notifier_.ShowMessageBox(AtLocation(location, NotAStartupShortcutText(appPath)),
                                     MessageKind::Error);
        return;
    }
    TRegistry registry(api_);
    if (!OpenLocationKey(registry, location, true, station_))
        return;
    if (HoldsOtherText(registry, appName, appPath))
        notifier_.ShowMessageBox(AtLocation(location, OtherValueText(appName)), MessageKind::Error);
    else if (!registry.RemoveValue(appName))
        notifier_.ShowMessageBox(AtLocation(location, kCouldNotDelete), MessageKind::Error);
}
