// Reading the views of the book: a bar item's own key, its other sources, and the disabled records.
#include "StartupBook.h"

#include <algorithm>

#include "LocationKeys.h"
#include "LocationRegistry.h"
#include "SourceKind.h"
#include "StartupMessages.h"
#include "StartupScan.h"
#include "StoreEncoding.h"

StartupBook::StartupBook(const RegistryApi& api) : api_(api) {}

DisabledStore StartupBook::Store() const {
    return DisabledStore(DisabledStoreFile(), LegacyCodePage());
}

const std::vector<LoggedOnUser>& StartupBook::OtherUsers() {
    if (!keepUsers_ || !users_)
        users_ = OtherLoggedOnUsers(api_, station_);
    return *users_;
}

void StartupBook::ReadView(const std::string& view, StartupPage& page) {
    const StartupSource* item = FindSource(view);
    if (item != nullptr && item->IsBarItem())
        ReadOwnKey(*item, page);
    for (const StartupSource* partner : PartnersOf(view))
        KindOf(partner->kind).Scan(*this, {*partner}, page);
    ReadOtherUsersKeys(view, page);
    if (item != nullptr && item->kind == SourceKindId::StartupShortcuts)
        KindOf(item->kind).Scan(*this, {*item}, page);
    // Before the disabled rows, and without the rows Windows' switches hold off: none of them starts.
    page.enabledCount = static_cast<size_t>(std::count_if(
        page.rows.begin(), page.rows.end(), [](const StartupEntry& row) { return row.IsEnabled(); }));
    AddDisabledRecords(view, page);
    OrderByAppName(page.rows);
}

void StartupBook::ReadOwnKey(const StartupSource& item, StartupPage& page) {
    if (!station_.HasRoot(item.root))
        return;
    TRegistry registry(api_);
    const size_t first = page.rows.size();
    if (OpenLocationKey(registry, api_, item.tag, false, station_))
        AppendRegistryRows(registry, item.tag, page.rows);
    else
        NoteUnopened(registry.LastResult(), page);
    // Only a registry item's own values have switches; the Startup item's are its folders'.
    if (item.IsRegistry())
        MarkSwitchedOffRows(api_, SwitchListOfTag(item.tag, station_), page.rows, first);
}

// Each user's keys, user by user, in the order the view lists its kinds.
void StartupBook::ReadOtherUsersKeys(const std::string& view, StartupPage& page) {
    const std::vector<const StartupSource*> kinds = UserKindsOf(view);
    if (kinds.empty())
        return;
    for (const LoggedOnUser& user : OtherUsers())
        for (const StartupSource* kind : kinds)
            KindOf(kind->kind).Scan(*this, {*kind, &user}, page);
}

// Only the sources whose disables the store keeps have records; a policy entry is never disabled.
void StartupBook::AddDisabledRecords(const std::string& view, StartupPage& page) const {
    auto recorded = [](const StartupSource& source) {
        return source.keeping == DisableKeeping::StoreRecord && source.changedBy == ChangedBy::Tellurin;
    };
    const DisabledStore store = Store();
    const StartupSource* item = FindSource(view);
    if (item == nullptr || recorded(*item))
        store.AddDisabledRows(view, std::nullopt, page.rows);
    for (const StartupSource* partner : PartnersOf(view))
        if (recorded(*partner))
            store.AddDisabledRows(partner->tag, std::nullopt, page.rows);
    // Also the records of users who are not logged on now: they are kept, and shown.
    for (const StartupSource* kind : UserKindsOf(view))
        if (recorded(*kind))
            store.AddUserDisabledRows(*kind, page.rows);
}

void StartupBook::ReadUserFolder(const std::string& user, StartupPage& page) {
    if (std::optional<UserProfile> profile = Profiles().Named(user))
        ScanUserFolder(*this, *profile, page);
    Store().AddDisabledRows(kStartupTag, user, page.rows);
    OrderByAppName(page.rows);
}

void StartupBook::NoteUnopened(LONG result, StartupPage& page) const {
    if (!missingKeyIsEmpty_ || result != ERROR_FILE_NOT_FOUND)
        page.problems.emplace_back(kCouldNotOpenRegistry);
}

std::optional<SwitchList> StartupBook::SwitchesOf(const std::string& locationKey) const {
    if (const std::optional<UserKey> key = UserKeyOf(locationKey)) {
        const std::optional<LoggedOnUser> user = LoggedOnUserNamed(key->user, api_, station_);
        return user ? SwitchListOfUserKey(*key->kind, user->sid, station_) : std::nullopt;
    }
    if (!IsStartupKey(locationKey))
        return SwitchListOfTag(locationKey, station_);
    const std::optional<UserProfile> profile = Profiles().Named(UserOfStartupKey(locationKey));
    return profile ? SwitchListOfFolder(profile->switches, station_) : std::nullopt;
}
