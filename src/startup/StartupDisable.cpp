// Disabling an entry into the DisabledStore and enabling it back into its location.
#include <windows.h>

#include <algorithm>

#include "startup/EntryValues.h"
#include "startup/LocationKeys.h"
#include "startup/LocationRegistry.h"
#include "startup/ShellLink.h"
#include "startup/StartupList.h"
#include "startup/StartupLocations.h"
#include "startup/StartupMessages.h"
#include "startup/StoreLock.h"

void StartupList::DisableApp1Click(const StartupEntry& row) {
    // A 32-bit row shown in its native tag's view is an entry of the 32-bit view.
    const StartupLocation* partner = Find32BitPartner(currentLocation_);
    const std::string location =
        partner != nullptr && row.location == partner->tag ? row.location : currentLocation_;
    DisableStartupEntry(location, row.appName, row.appPath, UserPartOf(row.location));
    RefreshStartupList();
}

void StartupList::DisableStartupEntry(const std::string& location,
                                      const std::string& appName,
                                      const std::string& appPath,
                                      const std::string& user) {
    const StoreLock lock(DisabledStoreFile());
    const std::string recordKey = user.empty() ? location : location + "\\" + user;
    if (location == kStartupTag)
        DisableShortcut(appName, appPath, recordKey);
    else
        DisableRegistryValue(location, appName, appPath, recordKey);
}

bool StartupList::RefusesLineBreaks(const std::string& location, const std::vector<std::string>& lines) {
    if (std::none_of(lines.begin(), lines.end(), HoldsLineBreak))
        return false;
    notifier_.ShowMessageBox(AtLocation(location, kLineBreakInEntry), MessageKind::Error);
    return true;
}

// The record is written before the file goes, and the file goes only when enabling can rebuild it.
void StartupList::DisableShortcut(const std::string& appName,
                                  const std::string& appPath,
                                  const std::string& recordKey) {
    const std::optional<UserProfile> profile = Profiles().Named(UserOfStartupKey(recordKey));
    if (!profile || !IsDirectlyIn(appPath, profile->startupFolder)) {
        notifier_.ShowMessageBox(AtLocation(recordKey, NotAStartupShortcutText(appPath)), MessageKind::Error);
        return;
    }
    const std::string target = ResolveShortcutTarget(appPath);
    if (target.empty() || target == kNotAShortcut) {
        notifier_.ShowMessageBox(AtLocation(recordKey, kCouldNotReadShortcut), MessageKind::Error);
        return;
    }
    if (RefusesLineBreaks(recordKey, {recordKey, appName, target}))
        return;
    Store().AppendDisabledRecord(recordKey, appName, target);
    if (DeleteFileA(appPath.c_str()))
        DropSwitch(recordKey, appName);
}

// The record is written before the value goes; a value that the row does not show is left alone.
void StartupList::DisableRegistryValue(const std::string& location,
                                       const std::string& appName,
                                       const std::string& appPath,
                                       const std::string& recordKey) {
    if (RefusesLineBreaks(location, {recordKey, appName, appPath}))
        return;
    TRegistry registry(api_);
    const bool open = OpenLocationKey(registry, location, true, station_);
    if (open && HoldsOtherText(registry, appName, appPath)) {
        notifier_.ShowMessageBox(AtLocation(location, OtherValueText(appName)), MessageKind::Error);
        return;
    }
    Store().AppendDisabledRecord(recordKey, appName, appPath);
    if (!open)
        return;
    if (registry.RemoveValue(appName))
        DropSwitch(location, appName);
    else
        notifier_.ShowMessageBox(AtLocation(location, kCouldNotDelete), MessageKind::Error);
}

void StartupList::DropSwitch(const std::string& locationKey, const std::string& name) {
    const std::optional<SwitchList> switches = SwitchesOf(locationKey);
    if (switches && !RemoveSwitch(api_, *switches, name))
        notifier_.ShowMessageBox(AtLocation(locationKey, kCouldNotDeleteSwitch), MessageKind::Error);
}

// The record leaves the store only once its entry stands in its location again.
void StartupList::EnableApp1Click(const StartupEntry& row) {
    const std::string locationKey = ToLocationKey(row.location);
    if (row.switchedOff) {
        SwitchBackOn(locationKey, row);
        RefreshStartupList();
        return;
    }
    if (RefusesUserName(locationKey))
        return;
    const StoreLock lock(DisabledStoreFile());
    const std::string value = QuoteExecutablePart(row.appPath);
    const bool shortcut = IsStartupKey(locationKey);
    // The shortcut writer adds ".lnk" itself.
    const std::string name = shortcut && EndsWithLinkExtension(row.appName)
                                 ? row.appName.substr(0, row.appName.size() - 4)
                                 : row.appName;
    // The store keeps no value type: a %NAME% reference only works in an expandable value.
    const ValueKind kind = HoldsEnvironmentReference(value) ? ValueKind::ExpandableText : ValueKind::Text;
    if (WriteStartupEntry(locationKey, name, value, kind))
        Store().RemoveDisabledEntry(locationKey, row.appName);
    else if (shortcut)
        notifier_.ShowMessageBox(AtLocation(locationKey, kCouldNotCreateShortcut), MessageKind::Error);
    RefreshStartupList();
}

// Only the switch changes: the entry stands in its location and has no record in the store.
void StartupList::SwitchBackOn(const std::string& locationKey, const StartupEntry& row) {
    if (const std::optional<SwitchList> switches = SwitchesOf(locationKey))
        SwitchOn(api_, *switches, row.appName);
}

// A record's user must name one folder, or the shortcut could be written anywhere ("Startup\..\..").
bool StartupList::RefusesUserName(const std::string& locationKey) {
    if (!IsStartupKey(locationKey) || IsPlainUserName(UserOfStartupKey(locationKey)))
        return false;
    notifier_.ShowMessageBox(AtLocation(locationKey, kNotAUserName), MessageKind::Error);
    return true;
}
