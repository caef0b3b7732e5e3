// Filling the startup list: refresh, scan, count label, one user's folder, location choice.
#include "StartupList.h"

#include <algorithm>

#include "LocationKeys.h"
#include "LocationRegistry.h"
#include "LoggedOnUsers.h"
#include "StartupMessages.h"
#include "StartupScan.h"
#include "StoreEncoding.h"

namespace {

size_t EnabledRowsOf(const std::vector<StartupEntry>& rows) {
    return static_cast<size_t>(
        std::count_if(rows.begin(), rows.end(), [](const StartupEntry& row) { return row.IsEnabled(); }));
}

}  // namespace

StartupList::StartupList(StartupView& view, Notifier& notifier, const RegistryApi& api)
    : currentLocation_(StartupLocations().front().tag), view_(view), notifier_(notifier), api_(api) {}

void StartupList::SelectLocation(const std::string& tag) {
    notifier_.PlayPressSound();
    currentLocation_ = tag;
    RefreshStartupList();
}

void StartupList::ShowRowsOf(const std::function<void(std::vector<StartupEntry>&)>& fill) {
    std::vector<StartupEntry> rows;
    auto show = [&] {
        OrderByAppName(rows);
        view_.ShowRows(rows);
    };
    try {
        fill(rows);
    } catch (...) {
        show();  // what was gathered before the error stays visible
        throw;
    }
    show();
}

void StartupList::RefreshStartupList() {
    ShowRowsOf([this](std::vector<StartupEntry>& rows) {
        ScanStartupLocation(currentLocation_, rows);
        // Before the disabled rows, and without the rows Windows' switches hold off: none of them starts.
        ShowStartupCount(currentLocation_, EnabledRowsOf(rows));
        const DisabledStore store = Store();
        store.AddDisabledRows(currentLocation_, std::nullopt, rows);
        // A policy entry is never disabled, so no record is one of a policy key.
        for (const StartupLocation* partner : PartnersOf(currentLocation_))
            if (!IsPolicyLocation(partner->tag))
                store.AddDisabledRows(partner->tag, std::nullopt, rows);
        // Also the records of users who are not logged on now: they are kept, and shown.
        for (const UserKeyKind& kind : UserKeyKinds())
            if (currentLocation_ == kind.view && !kind.byPolicy)
                store.AddUserDisabledRows(kind, rows);
    });
}

void StartupList::ScanStartupLocation(const std::string& tag, std::vector<StartupEntry>& rows) {
    const StartupLocation* found = FindRegistryLocation(tag);
    if (station_.HasRoot(found != nullptr ? found->root : HKEY_CURRENT_USER)) {
        // Every tag reads a key; "Startup" reads the values right under HKEY_CURRENT_USER, normally none.
        TRegistry registry(api_);
        const size_t first = rows.size();
        if (OpenLocationKey(registry, api_, tag, false, station_))
            AppendRegistryRows(registry, tag, rows);
        else
            ReportUnopened(registry.LastResult());
        MarkSwitchedOffRows(api_, SwitchListOfTag(tag, station_), rows, first);
    }
    // Another station has no current user: its HKEY_CURRENT_USER rows are those of its users below.
    for (const StartupLocation* partner : PartnersOf(tag))
        if (station_.HasRoot(partner->root))
            AppendPartnerRows(*partner, rows);
    AppendOtherUsersRows(tag, rows);
    if (tag != kStartupTag)
        return;
    const UserProfiles profiles = Profiles();
    view_.SetUsers(profiles.Names());
    for (const UserProfile& profile : profiles.List())
        AppendProfileRows(profile, rows);
}

// A key that is missing is simply empty; one that is there but refused is reported as the native one.
// A policy key is only read: users may not change it, and nothing here does.
void StartupList::AppendPartnerRows(const StartupLocation& location, std::vector<StartupEntry>& rows) {
    if (IsPolicyLocation(location.tag)) {
        AppendReadOnlyRows({location.root, location.keyPath, location.view}, location.tag, std::nullopt,
                           rows);
        return;
    }
    TRegistry registry(api_);
    const size_t first = rows.size();
    if (OpenLocationKey(registry, api_, location.tag, false, station_))
        AppendRegistryRows(registry, location.tag, rows);
    else if (registry.LastResult() != ERROR_FILE_NOT_FOUND && ExistsButRefused(location))
        notifier_.ShowMessageBox(kCouldNotOpenRegistry, MessageKind::Error);
    MarkSwitchedOffRows(api_, SwitchListOfTag(location.tag, station_), rows, first);
}

void StartupList::AppendOtherUsersRows(const std::string& tag, std::vector<StartupEntry>& rows) {
    std::vector<const UserKeyKind*> kinds;
    for (const UserKeyKind& kind : UserKeyKinds())
        if (tag == kind.view)
            kinds.push_back(&kind);
    if (kinds.empty())
        return;
    for (const LoggedOnUser& user : OtherUsers())
        for (const UserKeyKind* kind : kinds)
            AppendReadOnlyRows({HKEY_USERS, "\\" + user.sid + kind->keyPath},
                               UserRowLocation(user.name, *kind),
                               SwitchListOfUserKey(*kind, user.sid, station_), rows);
}

// Another user's hive is read only, as the scan needs: it may be readable where it is not writable.
void StartupList::AppendReadOnlyRows(const LocationPlace& place,
                                     const std::string& location,
                                     const std::optional<SwitchList>& switches,
                                     std::vector<StartupEntry>& rows) {
    TRegistry registry(api_);
    const size_t first = rows.size();
    if (!station_.SelectRoot(registry, place.root))
        return;
    registry.SelectView(place.view);
    if (registry.OpenPathForReading(place.path))
        AppendRegistryRows(registry, location, rows);
    else if (registry.LastResult() != ERROR_FILE_NOT_FOUND)
        notifier_.ShowMessageBox(kCouldNotOpenRegistry, MessageKind::Error);
    MarkSwitchedOffRows(api_, switches, rows, first);
}

void StartupList::ReportUnopened(LONG result) {
    if (!missingKeyIsEmpty_ || result != ERROR_FILE_NOT_FOUND)
        notifier_.ShowMessageBox(kCouldNotOpenRegistry, MessageKind::Error);
}

Outcome StartupList::Report(Outcome outcome) {
    if (!outcome.IsDone())
        notifier_.ShowMessageBox(outcome.Text(), MessageKind::Error);
    return outcome;
}

// An unreachable station was reported with the native key already.
bool StartupList::ExistsButRefused(const StartupLocation& location) const {
    TRegistry registry(api_);
    if (!station_.SelectRoot(registry, location.root))
        return false;
    registry.SelectView(location.view);
    return registry.OpenPathForReading(location.keyPath);
}

void StartupList::AppendProfileRows(const UserProfile& profile, std::vector<StartupEntry>& rows) {
    const size_t first = rows.size();
    AppendFolderRows(profile, rows);
    MarkSwitchedOffRows(api_, SwitchListOfFolder(profile.switches, station_), rows, first);
}

void StartupList::ShowStartupCount(const std::string& tag, size_t enabledRows) {
    const char* tail = enabledRows == 1 ? " app will start with windows." : " apps will start with windows.";
    view_.SetCountLabel("[" + tag + "] = " + std::to_string(enabledRows) + tail);
}

void StartupList::ListBox1Click(const std::string& user) {
    ShowRowsOf([&](std::vector<StartupEntry>& rows) {
        if (std::optional<UserProfile> profile = Profiles().Named(user))
            AppendProfileRows(*profile, rows);
        Store().AddDisabledRows(kStartupTag, user, rows);
    });
}

const std::vector<LoggedOnUser>& StartupList::OtherUsers() {
    if (!keepUsers_ || !users_)
        users_ = OtherLoggedOnUsers(api_, station_);
    return *users_;
}

DisabledStore StartupList::Store() const {
    return DisabledStore(DisabledStoreFile(), LegacyCodePage());
}

std::optional<SwitchList> StartupList::SwitchesOf(const std::string& locationKey) const {
    if (const std::optional<UserKey> key = UserKeyOf(locationKey)) {
        const std::optional<LoggedOnUser> user = LoggedOnUserNamed(key->user, api_, station_);
        return user ? SwitchListOfUserKey(*key->kind, user->sid, station_) : std::nullopt;
    }
    if (!IsStartupKey(locationKey))
        return SwitchListOfTag(locationKey, station_);
    const std::optional<UserProfile> profile = Profiles().Named(UserOfStartupKey(locationKey));
    return profile ? SwitchListOfFolder(profile->switches, station_) : std::nullopt;
}
