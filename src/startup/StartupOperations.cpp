// The operations of the book: add, disable, enable and remove, each through the kind of its source.
#include "StartupBook.h"

#include "EntryValues.h"
#include "LocationKeys.h"
#include "SourceKind.h"
#include "StartupMessages.h"
#include "StoreLock.h"

namespace {

// Why an entry of that Location (a row's, or a LocationKey) cannot be changed here; nothing when it can.
std::optional<Outcome> Unchangeable(const std::string& location, EntryHold hold = EntryHold::None) {
    const ChangedBy changedBy = ChangedByOf(location);
    if (hold == EntryHold::Policy || changedBy == ChangedBy::GroupPolicy)
        return Outcome::Refused(AtLocation(location, kSetByPolicy));
    if (changedBy == ChangedBy::RegistryEditor)
        return Outcome::Refused(AtLocation(location, kChangedWithRegistryEditor));
    return std::nullopt;
}

bool KeepsItsOwnSwitch(const std::string& locationKey) {
    const StartupSource* source = SourceOfLocation(locationKey);
    return source != nullptr && source->keeping == DisableKeeping::OwnSwitch;
}

}  // namespace

Outcome StartupBook::AddEntry(const std::string& locationKey,
                              const std::string& name,
                              const std::string& path) {
    if (std::optional<Outcome> refused = Unchangeable(locationKey))
        return *refused;
    return WriteStartupEntry(locationKey, name, QuoteWholePath(path));
}

Outcome StartupBook::WriteStartupEntry(const std::string& locationKey,
                                       const std::string& name,
                                       const std::string& value,
                                       ValueKind kind) {
    return KindOfLocation(locationKey).Write(*this, locationKey, name, value, kind);
}

Outcome StartupBook::DisableEntry(const StartupEntry& row, const std::string& view) {
    if (std::optional<Outcome> refused = Unchangeable(row.location, row.hold))
        return *refused;
    // Another user's row is an entry of that user's key, whatever the view.
    if (UserKeyKindOfRow(row.location) != nullptr)
        return DisableStartupEntry(ToLocationKey(row.location), row.appName, row.appPath, "");
    // A row of another key of the view (32-bit, the running user's RunOnce) is an entry of it; any
    // other is one of the view's own location, as the list that showed it says.
    std::string location = view;
    for (const StartupSource* partner : PartnersOf(view))
        if (row.location == partner->tag)
            location = row.location;
    return DisableStartupEntry(location, row.appName, row.appPath, UserPartOf(row.location));
}

Outcome StartupBook::DisableStartupEntry(const std::string& location,
                                         const std::string& appName,
                                         const std::string& appPath,
                                         const std::string& user) {
    if (KeepsItsOwnSwitch(location))
        return KindOfLocation(location).SwitchOff(*this, location, appName, appPath);
    const StoreLock lock(DisabledStoreFile());
    return KindOfLocation(location).TakeAway(*this, location, appName, appPath,
                                             LocationKeyOf(location, user));
}

// The record leaves the store only once its entry stands in its location again.
Outcome StartupBook::EnableEntry(const StartupEntry& row) {
    if (std::optional<Outcome> refused = Unchangeable(row.location, row.hold))
        return *refused;
    const std::string locationKey = ToLocationKey(row.location);
    // Only the switch changes: the entry stands in its location and has no record in the store.
    if (row.state == EntryState::SwitchedOff) {
        if (std::optional<Outcome> absent = UserAbsent(locationKey))
            return *absent;
        return KindOfLocation(locationKey).SwitchOn(*this, locationKey, row.appName, row.appPath);
    }
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

Outcome StartupBook::RemoveEntry(const StartupEntry& row) {
    if (std::optional<Outcome> refused = Unchangeable(row.location, row.hold))
        return *refused;
    const std::string locationKey = ToLocationKey(row.location);
    const StoreLock lock(DisabledStoreFile());
    // A row held off by Windows' switch stands in its location all the same.
    if (row.StandsInLocation())
        return DeleteStartupEntry(locationKey, row.appName, row.appPath);
    Store().RemoveDisabledEntry(locationKey, row.appName);
    return Outcome::Done();
}

Outcome StartupBook::DeleteStartupEntry(const std::string& location,
                                        const std::string& appName,
                                        const std::string& appPath) {
    return KindOfLocation(location).Delete(*this, location, appName, appPath);
}

Outcome StartupBook::DropSwitch(const std::string& locationKey, const std::string& name) const {
    const std::optional<SwitchList> switches = SwitchesOf(locationKey);
    if (switches && !RemoveSwitch(api_, *switches, name))
        return Outcome::Failed(AtLocation(locationKey, kCouldNotDeleteSwitch));
    return Outcome::Done();
}

std::optional<Outcome> StartupBook::UserAbsent(const std::string& locationKey) const {
    const std::optional<UserKey> key = UserKeyOf(locationKey);
    if (!key || LoggedOnUserNamed(key->user, api_, station_))
        return std::nullopt;
    return Outcome::Refused(AtLocation(locationKey, NotLoggedOnText(key->user)));
}
