// Disabling an entry into the DisabledStore and enabling it back into its location.
#include <windows.h>

#include <algorithm>

#include "EntryValues.h"
#include "LocationKeys.h"
#include "LocationRegistry.h"
#include "LoggedOnUsers.h"
#include "ShellLink.h"
#include "StartupList.h"
#include "StartupLocations.h"
#include "StartupMessages.h"
#include "StoreLock.h"
#include "SystemMessage.h"

namespace {

bool AnyHoldsLineBreak(const std::vector<std::string>& lines) {
    return std::any_of(lines.begin(), lines.end(), HoldsLineBreak);
}

}  // namespace

Outcome StartupList::DisableApp1Click(const StartupEntry& row) {
    Outcome outcome = Report(DisableEntry(row));
    RefreshStartupList();
    return outcome;
}

Outcome StartupList::DisableEntry(const StartupEntry& row) {
    if (IsPolicyLocation(row.location))
        return Outcome::Refused(AtLocation(row.location, kSetByPolicy));
    // Another user's row is an entry of that user's key, whatever the view.
    if (UserKeyKindOfRow(row.location) != nullptr)
        return DisableStartupEntry(ToLocationKey(row.location), row.appName, row.appPath, "");
    // A row of another location of the view (32-bit, the running user's RunOnce) is an entry of it.
    std::string location = currentLocation_;
    for (const StartupLocation* partner : PartnersOf(currentLocation_))
        if (row.location == partner->tag)
            location = row.location;
    return DisableStartupEntry(location, row.appName, row.appPath, UserPartOf(row.location));
}

Outcome StartupList::DisableStartupEntry(const std::string& location,
                                         const std::string& appName,
                                         const std::string& appPath,
                                         const std::string& user) {
    const StoreLock lock(DisabledStoreFile());
    const std::string recordKey = LocationKeyOf(location, user);
    if (location == kStartupTag)
        return DisableShortcut(appName, appPath, recordKey);
    return DisableRegistryValue(location, appName, appPath, recordKey);
}

// The record is written before the file goes, and the file goes only when enabling can rebuild it.
Outcome StartupList::DisableShortcut(const std::string& appName,
                                     const std::string& appPath,
                                     const std::string& recordKey) {
    const std::optional<UserProfile> profile = Profiles().Named(UserOfStartupKey(recordKey));
    if (!profile || !IsDirectlyIn(appPath, profile->startupFolder))
        return Outcome::Refused(AtLocation(recordKey, NotAStartupShortcutText(appPath)));
    const std::string target = ResolveShortcutTarget(appPath);
    if (target.empty() || target == kNotAShortcut)
        return Outcome::Refused(AtLocation(recordKey, kCouldNotReadShortcut));
    if (AnyHoldsLineBreak({recordKey, appName, target}))
        return Outcome::Refused(AtLocation(recordKey, kLineBreakInEntry));
    const DisabledStore store = Store();
    const StoreSnapshot before = store.AppendDisabledRecord(recordKey, appName, target);
    if (!DeleteFileA(appPath.c_str())) {
        const std::string reason = SystemMessage(GetLastError());
        store.Restore(before);  // the shortcut stays enabled, so its record goes
        return Outcome::Failed(AtLocation(recordKey, CouldNotDeleteFileText(appPath, reason)));
    }
    return DropSwitch(recordKey, appName);
}

// The record is written before the value goes; a value that the row does not show is left alone.
Outcome StartupList::DisableRegistryValue(const std::string& location,
                                          const std::string& appName,
                                          const std::string& appPath,
                                          const std::string& recordKey) {
    if (AnyHoldsLineBreak({recordKey, appName, appPath}))
        return Outcome::Refused(AtLocation(location, kLineBreakInEntry));
    if (std::optional<Outcome> absent = UserAbsent(location))
        return *absent;
    TRegistry registry(api_);
    if (!OpenLocationKey(registry, api_, location, true, station_))
        return Outcome::Refused(AtLocation(location, kCouldNotOpenRegistry));
    if (HoldsOtherText(registry, appName, appPath))
        return Outcome::Refused(AtLocation(location, OtherValueText(appName)));
    const DisabledStore store = Store();
    const StoreSnapshot before = store.AppendDisabledRecord(recordKey, appName, appPath);
    if (!registry.RemoveValue(appName)) {
        store.Restore(before);  // the value stays enabled, so its record goes
        return Outcome::Failed(AtLocation(location, kCouldNotDelete));
    }
    return DropSwitch(location, appName);
}

Outcome StartupList::DropSwitch(const std::string& locationKey, const std::string& name) {
    const std::optional<SwitchList> switches = SwitchesOf(locationKey);
    if (switches && !RemoveSwitch(api_, *switches, name))
        return Outcome::Failed(AtLocation(locationKey, kCouldNotDeleteSwitch));
    return Outcome::Done();
}

Outcome StartupList::EnableApp1Click(const StartupEntry& row) {
    Outcome outcome = Report(EnableEntry(row));
    RefreshStartupList();
    return outcome;
}

// The record leaves the store only once its entry stands in its location again.
Outcome StartupList::EnableEntry(const StartupEntry& row) {
    if (IsPolicyLocation(row.location))
        return Outcome::Refused(AtLocation(row.location, kSetByPolicy));
    const std::string locationKey = ToLocationKey(row.location);
    if (row.state == EntryState::SwitchedOff)
        return SwitchBackOn(locationKey, row);
    // A record's user must name one folder, or the shortcut could be written anywhere ("Startup\..\..").
    if (IsStartupKey(locationKey) && !IsPlainUserName(UserOfStartupKey(locationKey)))
        return Outcome::Refused(AtLocation(locationKey, kNotAUserName));
    // The record stays until its user logs on again.
    if (std::optional<Outcome> absent = UserAbsent(locationKey))
        return *absent;
    const StoreLock lock(DisabledStoreFile());
    const std::string value = QuoteExecutablePart(row.appPath);
    // The shortcut writer adds ".lnk" itself.
    const std::string name = IsStartupKey(locationKey) && EndsWithLinkExtension(row.appName)
                                 ? row.appName.substr(0, row.appName.size() - 4)
                                 : row.appName;
    // The store keeps no value type: a %NAME% reference only works in an expandable value.
    const ValueKind kind = HoldsEnvironmentReference(value) ? ValueKind::ExpandableText : ValueKind::Text;
    Outcome written = WriteStartupEntry(locationKey, name, value, kind);
    if (written.IsDone())
        Store().RemoveDisabledEntry(locationKey, row.appName);
    return written;
}

// Only the switch changes: the entry stands in its location and has no record in the store.
Outcome StartupList::SwitchBackOn(const std::string& locationKey, const StartupEntry& row) {
    if (const std::optional<SwitchList> switches = SwitchesOf(locationKey))
        SwitchOn(api_, *switches, row.appName);
    return Outcome::Done();
}

std::optional<Outcome> StartupList::UserAbsent(const std::string& locationKey) const {
    const std::optional<UserKey> key = UserKeyOf(locationKey);
    if (!key || LoggedOnUserNamed(key->user, api_, station_))
        return std::nullopt;
    return Outcome::Refused(AtLocation(locationKey, NotLoggedOnText(key->user)));
}
