// Removing an entry for good: from its location when it stands there, from the DisabledStore otherwise.
#include <windows.h>

#include "LocationKeys.h"
#include "LocationRegistry.h"
#include "StartupList.h"
#include "StartupMessages.h"
#include "StoreLock.h"
#include "SystemMessage.h"

Outcome StartupList::RemoveApp1Click(const StartupEntry& row) {
    Outcome outcome = Report(RemoveEntry(row));
    RefreshStartupList();
    return outcome;
}

Outcome StartupList::RemoveEntry(const StartupEntry& row) {
    if (IsPolicyLocation(row.location))
        return Outcome::Refused(AtLocation(row.location, kSetByPolicy));
    const std::string locationKey = ToLocationKey(row.location);
    const StoreLock lock(DisabledStoreFile());
    // A row held off by Windows' switch stands in its location all the same.
    if (row.StandsInLocation())
        return DeleteStartupEntry(locationKey, row.appName, row.appPath);
    Store().RemoveDisabledEntry(locationKey, row.appName);
    return Outcome::Done();
}

Outcome StartupList::DeleteStartupEntry(const std::string& location,
                                        const std::string& appName,
                                        const std::string& appPath) {
    if (IsStartupKey(location)) {
        // Only a shortcut file of a Startup folder; a row of the Startup view may also show a registry
        // value, whose path names a program that must not be deleted.
        const std::optional<UserProfile> profile = Profiles().Named(UserOfStartupKey(location));
        if (!profile || !IsDirectlyIn(appPath, profile->startupFolder))
            return Outcome::Refused(AtLocation(location, NotAStartupShortcutText(appPath)));
        if (!DeleteFileA(appPath.c_str()))
            return Outcome::Failed(
                AtLocation(location, CouldNotDeleteFileText(appPath, SystemMessage(GetLastError()))));
        return DropSwitch(location, appName);
    }
    if (std::optional<Outcome> absent = UserAbsent(location))
        return *absent;
    TRegistry registry(api_);
    if (!OpenLocationKey(registry, api_, location, true, station_))
        return Outcome::Refused(AtLocation(location, kCouldNotOpenRegistry));
    if (HoldsOtherText(registry, appName, appPath))
        return Outcome::Refused(AtLocation(location, OtherValueText(appName)));
    if (!registry.RemoveValue(appName))
        return Outcome::Failed(AtLocation(location, kCouldNotDelete));
    return DropSwitch(location, appName);
}
