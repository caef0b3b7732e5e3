// The book of a station's startup entries: what a view holds, and the operations on its rows. It
// knows no window: it returns rows, counts, users and problems, and an Outcome for each operation.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "DisabledStore.h"
#include "LoggedOffUsers.h"
#include "LoggedOnUsers.h"
#include "Outcome.h"
#include "ProfileFolders.h"
#include "RegistryApi.h"
#include "StartupEntry.h"
#include "StartupSwitches.h"
#include "TaskScheduler.h"
#include "Station.h"
#include "TRegistry.h"

// What one look at a view gave. Filled as it is read: when a read raises, what came before stays.
struct StartupPage {
    std::vector<StartupEntry> rows;                 // in App Name order once the read is whole
    std::optional<size_t> enabledCount;             // the rows that start, counted before the disabled rows
    std::optional<std::vector<std::string>> users;  // the profiles, when the Startup folders were read
    std::vector<std::string> problems;              // what could not be read, in the order met
    std::vector<std::string> notes;                 // what was skipped, without failing the read
};

class StartupBook {
public:
    explicit StartupBook(const RegistryApi& api = RealRegistryApi());

    void SetAppDir(std::string appDir) { appDir_ = std::move(appDir); }
    void SetComputerName(std::string computerName) { computerName_ = std::move(computerName); }
    // The computer worked on: this one unless another is set.
    void SetStation(Station station) {
        station_ = std::move(station);
        users_.reset();
        fileUsers_.reset();
        listed_.reset();
    }
    const Station& CurrentStation() const { return station_; }
    const RegistryApi& Api() const { return api_; }
    // How log-on tasks are switched on and off: the station's Task Scheduler unless another is set.
    void SetTaskScheduler(const TaskSchedulerApi& tasks) { tasks_ = &tasks; }
    const TaskSchedulerApi& TaskScheduler() const { return *tasks_; }
    // The user profiles of the station, as the Users list names them.
    UserProfiles Profiles() const {
        return UserProfiles::Of(station_, [this] { return Listed(); });
    }
    std::string DisabledStoreFile() const { return DisabledStorePath(appDir_, computerName_); }
    DisabledStore Store() const;

    // A missing key of a registry location is an empty location, not a problem: a script's view. The
    // window reports it, as it always has.
    void SetMissingKeyIsEmpty(bool empty) { missingKeyIsEmpty_ = empty; }
    // The other logged-on users are read once for all views while kept: a script's run is short. The
    // window reads them at every refresh, as users log on and off while it is open.
    void KeepLoggedOnUsers(bool keep) { keepUsers_ = keep; }

    // The rows of a bar item's view: its own key, the other sources of the view, then the disabled
    // records of them all; the enabled rows are counted before the records are added.
    void ReadView(const std::string& view, StartupPage& page);
    // One user's Startup folder and that user's disabled entries.
    void ReadUserFolder(const std::string& user, StartupPage& page);

    // The operations on a row as a view shows it. A refused or failed operation changes nothing.
    // Adds path (quoted when it holds a space) under name to locationKey: a tag, or "Startup\" + user.
    Outcome AddEntry(const std::string& locationKey, const std::string& name, const std::string& path);
    // A row is disabled as an entry of the view that showed it (the bar item chosen).
    Outcome DisableEntry(const StartupEntry& row, const std::string& view);
    Outcome EnableEntry(const StartupEntry& row);
    Outcome RemoveEntry(const StartupEntry& row);

    // Writes one entry into its location (a tag's key, a user's key, or "Startup\" + user), switched
    // on in Windows' settings too, so that it really starts.
    Outcome WriteStartupEntry(const std::string& locationKey,
                              const std::string& name,
                              const std::string& value,
                              ValueKind kind = ValueKind::Text);
    // Records the entry in the store, then takes it out of location (a tag, or "Startup"); when it
    // cannot be taken out, its record goes again.
    Outcome DisableStartupEntry(const std::string& location,
                                const std::string& appName,
                                const std::string& appPath,
                                const std::string& user);
    // Deletes an enabled entry from location: a tag, or "Startup\" + user.
    Outcome DeleteStartupEntry(const std::string& location,
                               const std::string& appName,
                               const std::string& appPath);

    // For the kinds of source. Windows' own switches of the entries of a LocationKey, if any.
    std::optional<SwitchList> SwitchesOf(const std::string& locationKey) const;
    // After its entry left the location, its switch goes too, lest it hold a later namesake off.
    Outcome DropSwitch(const std::string& locationKey, const std::string& name) const;
    // Refused when locationKey is a user's own key ("Run\bob") and that user is not logged on.
    std::optional<Outcome> UserAbsent(const std::string& locationKey) const;

private:
    // A user who is not logged on, and what that user's file gave: the keys, or why it could not be read.
    struct FileUser {
        LoggedOffUser user;
        std::optional<UserFileKeys> keys;
        std::string failure;
        bool told = false;  // the failure is in a page's notes already
    };

    // The station's ProfileList: read once for all views while the users are kept, else once a view.
    std::vector<ListedProfile> Listed() const;
    const std::vector<LoggedOnUser>& OtherUsers();
    // The users of ProfileList that are not among loggedOn, each file read once while kept.
    std::vector<FileUser>& FileUsers(const std::vector<LoggedOnUser>& loggedOn);
    // The rows of the keys of kinds in a logged-off user's file; what it held is the user's alone.
    void AppendFileUserRows(FileUser& user,
                            const std::vector<const StartupSource*>& kinds,
                            StartupPage& page);
    // The registry step of every bar item: its own key ("Startup": the values right under
    // HKEY_CURRENT_USER, normally none).
    void ReadOwnKey(const StartupSource& item, StartupPage& page);
    void ReadOtherUsersKeys(const std::string& view, StartupPage& page);
    void AddDisabledRecords(const std::string& view, StartupPage& page) const;
    // The registry location could not be opened for the scan (result: the registry's answer): a
    // problem unless it is simply missing and missing keys are empty.
    void NoteUnopened(LONG result, StartupPage& page) const;

    std::string appDir_;
    std::string computerName_;
    Station station_;
    const RegistryApi& api_;
    const TaskSchedulerApi* tasks_ = &RealTaskScheduler();
    bool missingKeyIsEmpty_ = false;
    bool keepUsers_ = false;
    std::optional<std::vector<LoggedOnUser>> users_;
    std::optional<std::vector<FileUser>> fileUsers_;
    bool readingView_ = false;
    mutable std::optional<std::vector<ListedProfile>> listed_;
};
