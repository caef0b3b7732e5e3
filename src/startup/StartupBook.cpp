// Reading the views of the book: a bar item's own key, its other sources, and the disabled records.
#include "StartupBook.h"

#include <algorithm>

#include "Errors.h"
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

std::vector<ListedProfile> StartupBook::Listed() const {
    if (listed_)
        return *listed_;
    std::vector<ListedProfile> listed = ListedProfiles(api_, station_);
    if (keepUsers_ || readingView_)
        listed_ = listed;
    return listed;
}

const std::vector<LoggedOnUser>& StartupBook::OtherUsers() {
    if (!keepUsers_ || !users_) {
        const std::vector<ListedProfile> listed = Listed();
        users_ = OtherLoggedOnUsers(api_, station_, &listed);
        fileUsers_.reset();  // who is logged on decides whose file is read
    }
    return *users_;
}

// Each file is read once while the users are kept, else at every look, as users log on and off.
std::vector<StartupBook::FileUser>& StartupBook::FileUsers(const std::vector<LoggedOnUser>& loggedOn) {
    if (fileUsers_)
        return *fileUsers_;
    std::vector<const StartupSource*> kinds;
    for (const StartupSource& source : StartupSources())
        if (source.scope == SourceScope::EachUser && source.IsRegistry())
            kinds.push_back(&source);
    fileUsers_.emplace();
    for (LoggedOffUser& user : LoggedOffUsers(Listed(), station_, loggedOn)) {
        FileUser read{std::move(user), std::nullopt, {}, false};
        try {
            read.keys = ReadUserFileKeys(read.user, kinds);
            if (!read.keys)
                continue;  // never logged on: nothing to list, nothing to say
        } catch (const EFileError& error) {
            read.failure = read.user.name + " is not logged on, and " + read.user.name +
                           "'s registry file could not be read, so none of " + read.user.name +
                           "'s entries are listed: " + error.what();
        }
        fileUsers_->push_back(std::move(read));
    }
    return *fileUsers_;
}

void StartupBook::AppendFileUserRows(FileUser& user,
                                     const std::vector<const StartupSource*>& kinds,
                                     StartupPage& page) {
    if (!user.keys) {
        if (!user.told)
            page.notes.push_back(user.failure);
        user.told = keepUsers_;  // a script hears it once per station, the window at every refresh
        return;
    }
    for (const StartupSource* kind : kinds) {
        const size_t first = page.rows.size();
        AppendValueRows(user.keys->values[kind->keyPath], UserRowLocation(user.user.name, *kind), page.rows);
        if (kind->switches != nullptr)
            MarkRowsSwitchedOff(user.keys->switches, page.rows, first);
        for (size_t index = first; index < page.rows.size(); ++index)
            page.rows[index].hold = EntryHold::LoggedOff;
    }
}

void StartupBook::ReadView(const std::string& view, StartupPage& page) {
    // The users' names, their files and their Startup folders all come from one reading of ProfileList.
    struct ReadingView {
        StartupBook& book;
        explicit ReadingView(StartupBook& reading) : book(reading) { book.readingView_ = true; }
        ~ReadingView() {
            book.readingView_ = false;
            if (!book.keepUsers_)
                book.listed_.reset();
        }
    } reading(*this);
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
    const std::vector<LoggedOnUser>& loggedOn = OtherUsers();
    for (const LoggedOnUser& user : loggedOn)
        for (const StartupSource* kind : kinds)
            KindOf(kind->kind).Scan(*this, {*kind, &user}, page);
    // Users who are not logged on: the keys of their own Run family, from their files.
    std::vector<const StartupSource*> fileKinds;
    for (const StartupSource* kind : kinds)
        if (kind->IsRegistry())
            fileKinds.push_back(kind);
    if (fileKinds.empty())
        return;
    for (FileUser& user : FileUsers(loggedOn))
        AppendFileUserRows(user, fileKinds, page);
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
