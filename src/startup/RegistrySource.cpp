// Startup entries that are registry values: a station's Run-family keys and each user's own keys.
#include "SourceKind.h"

#include "EntryValues.h"
#include "LocationKeys.h"
#include "LocationRegistry.h"
#include "StartupBook.h"
#include "StartupMessages.h"
#include "StartupScan.h"

namespace {

bool IsView32(const std::string& location) {
    const StartupSource* source = FindStationKey(location);
    return source != nullptr && source->registryView == KEY_WOW64_32KEY;
}

// True when the key of a station source can be read although it cannot be opened with full access.
bool ExistsButRefused(const StartupBook& book, const StartupSource& source) {
    TRegistry registry(book.Api());
    if (!book.CurrentStation().SelectRoot(registry, source.root))
        return false;
    registry.SelectView(source.registryView);
    return registry.OpenPathForReading(source.keyPath);
}

// Another user's hive and a policy key are only read, as the scan needs: they may be readable where
// they are not writable. A missing key is empty; one that cannot be read is a problem.
void ScanReadOnly(const StartupBook& book,
                  const LocationPlace& place,
                  const std::string& location,
                  const std::optional<SwitchList>& switches,
                  StartupPage& page) {
    TRegistry registry(book.Api());
    const size_t first = page.rows.size();
    if (!book.CurrentStation().SelectRoot(registry, place.root))
        return;
    registry.SelectView(place.view);
    if (registry.OpenPathForReading(place.path))
        AppendRegistryRows(registry, location, page.rows);
    else if (registry.LastResult() != ERROR_FILE_NOT_FOUND)
        page.problems.emplace_back(kCouldNotOpenRegistry);
    MarkSwitchedOffRows(book.Api(), switches, page.rows, first);
}

// A key of the view besides its own: missing is empty; there but refused is reported as its own is.
void ScanPartner(const StartupBook& book, const StartupSource& source, StartupPage& page) {
    TRegistry registry(book.Api());
    const size_t first = page.rows.size();
    if (OpenLocationKey(registry, book.Api(), source.tag, false, book.CurrentStation()))
        AppendRegistryRows(registry, source.tag, page.rows);
    else if (registry.LastResult() != ERROR_FILE_NOT_FOUND && ExistsButRefused(book, source))
        page.problems.emplace_back(kCouldNotOpenRegistry);
    MarkSwitchedOffRows(book.Api(), SwitchListOfTag(source.tag, book.CurrentStation()), page.rows, first);
}

// Opens the key of the value a row shows, for changing it; why not, when it cannot be changed: its
// user is not logged on, the key cannot be opened, or the value holds another text than the row.
std::optional<Outcome> OpenValueToChange(const StartupBook& book,
                                         const std::string& location,
                                         const std::string& appName,
                                         const std::string& appPath,
                                         TRegistry& registry) {
    if (std::optional<Outcome> absent = book.UserAbsent(location))
        return absent;
    if (!OpenLocationKey(registry, book.Api(), location, true, book.CurrentStation()))
        return Outcome::Refused(AtLocation(location, kCouldNotOpenRegistry));
    if (HoldsOtherText(registry, appName, appPath))
        return Outcome::Refused(AtLocation(location, OtherValueText(appName)));
    return std::nullopt;
}

class RegistryValues : public SourceKind {
public:
    void Scan(StartupBook& book, const SourceSite& site, StartupPage& page) const override;
    Outcome Write(StartupBook& book,
                  const std::string& locationKey,
                  const std::string& name,
                  const std::string& value,
                  ValueKind kind) const override;
    Outcome TakeAway(StartupBook& book,
                     const std::string& location,
                     const std::string& appName,
                     const std::string& appPath,
                     const std::string& recordKey) const override;
    Outcome Delete(StartupBook& book,
                   const std::string& locationKey,
                   const std::string& appName,
                   const std::string& appPath) const override;
    RowProgram ProgramOf(const StartupEntry& row) const override;
};

void RegistryValues::Scan(StartupBook& book, const SourceSite& site, StartupPage& page) const {
    const StartupSource& source = site.source;
    const Station& station = book.CurrentStation();
    if (site.user != nullptr) {
        ScanReadOnly(book, {source.root, "\\" + site.user->sid + source.keyPath, source.registryView},
                     UserRowLocation(site.user->name, source),
                     SwitchListOfUserKey(source, site.user->sid, station), page);
        return;
    }
    // Another station has no current user: its HKEY_CURRENT_USER rows are those of its users.
    if (!station.HasRoot(source.root))
        return;
    if (source.ByPolicy())
        ScanReadOnly(book, {source.root, source.keyPath, source.registryView}, source.tag, std::nullopt,
                     page);
    else
        ScanPartner(book, source, page);
}

Outcome RegistryValues::Write(StartupBook& book,
                              const std::string& locationKey,
                              const std::string& name,
                              const std::string& value,
                              ValueKind kind) const {
    if (std::optional<Outcome> absent = book.UserAbsent(locationKey))
        return *absent;
    TRegistry registry(book.Api());
    if (!OpenLocationKey(registry, book.Api(), locationKey, true, book.CurrentStation()))
        return Outcome::Refused(AtLocation(locationKey, kCouldNotWrite));
    if (kind == ValueKind::ExpandableText)
        registry.WriteExpandableText(name, value);
    else
        registry.WriteText(name, value);
    if (std::optional<SwitchList> switches = book.SwitchesOf(locationKey))
        ::SwitchOn(book.Api(), *switches, name);
    return Outcome::Done();
}

// The record is written before the value goes; a value that the row does not show is left alone.
Outcome RegistryValues::TakeAway(StartupBook& book,
                                 const std::string& location,
                                 const std::string& appName,
                                 const std::string& appPath,
                                 const std::string& recordKey) const {
    if (HoldsLineBreak(recordKey) || HoldsLineBreak(appName) || HoldsLineBreak(appPath))
        return Outcome::Refused(AtLocation(location, kLineBreakInEntry));
    TRegistry registry(book.Api());
    if (std::optional<Outcome> refused = OpenValueToChange(book, location, appName, appPath, registry))
        return *refused;
    const DisabledStore store = book.Store();
    const StoreSnapshot before = store.AppendDisabledRecord(recordKey, appName, appPath);
    if (!registry.RemoveValue(appName)) {
        store.Restore(before);  // the value stays enabled, so its record goes
        return Outcome::Failed(AtLocation(location, kCouldNotDelete));
    }
    return book.DropSwitch(location, appName);
}

Outcome RegistryValues::Delete(StartupBook& book,
                               const std::string& locationKey,
                               const std::string& appName,
                               const std::string& appPath) const {
    TRegistry registry(book.Api());
    if (std::optional<Outcome> refused = OpenValueToChange(book, locationKey, appName, appPath, registry))
        return *refused;
    if (!registry.RemoveValue(appName))
        return Outcome::Failed(AtLocation(locationKey, kCouldNotDelete));
    return book.DropSwitch(locationKey, appName);
}

RowProgram RegistryValues::ProgramOf(const StartupEntry& row) const {
    return {row.appPath, false, IsView32(row.location)};
}

}  // namespace

const SourceKind& RegistryValuesKind() {
    static const RegistryValues kind;
    return kind;
}

Outcome SourceKind::SwitchOff(StartupBook&,
                              const std::string& locationKey,
                              const std::string&,
                              const std::string&) const {
    return Outcome::Refused(AtLocation(locationKey, kNoSwitchOfItsOwn));
}

Outcome SourceKind::SwitchOn(StartupBook& book,
                             const std::string& locationKey,
                             const std::string& appName,
                             const std::string&) const {
    if (const std::optional<SwitchList> switches = book.SwitchesOf(locationKey))
        ::SwitchOn(book.Api(), *switches, appName);
    return Outcome::Done();
}

Outcome SwitchedKind::Write(StartupBook&,
                            const std::string& locationKey,
                            const std::string&,
                            const std::string&,
                            ValueKind) const {
    return Outcome::Refused(AtLocation(locationKey, addRefused_));
}

Outcome SwitchedKind::TakeAway(StartupBook& book,
                               const std::string& location,
                               const std::string& appName,
                               const std::string& appPath,
                               const std::string&) const {
    return SwitchOff(book, location, appName, appPath);
}

Outcome SwitchedKind::Delete(StartupBook&,
                             const std::string& locationKey,
                             const std::string&,
                             const std::string&) const {
    return Outcome::Refused(AtLocation(locationKey, removeRefused_));
}

const SourceKind& KindOf(SourceKindId id) {
    switch (id) {
        case SourceKindId::StartupShortcuts:
            return StartupShortcutsKind();
        case SourceKindId::LogonTasks:
            return LogonTasksKind();
        case SourceKindId::PackagedApps:
            return PackagedAppsKind();
        case SourceKindId::LogonValues:
            return LogonValuesKind();
        case SourceKindId::None:
        case SourceKindId::RegistryValues:
            break;
    }
    return RegistryValuesKind();
}

const SourceKind& KindOfLocation(const std::string& locationKey) {
    const StartupSource* source = SourceOfLocation(locationKey);
    return source != nullptr ? KindOf(source->kind) : RegistryValuesKind();
}
