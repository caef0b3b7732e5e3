// The startup list's routines and the bodies of its handlers, without any window: the main window
// reads its controls, calls these, and implements StartupView and Notifier.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "RegistryApi.h"
#include "TRegistry.h"
#include "DisabledStore.h"
#include "LocationRegistry.h"
#include "LoggedOnUsers.h"
#include "ProfileFolders.h"
#include "StartupEntry.h"
#include "StartupLocations.h"
#include "StartupSwitches.h"
#include "StartupView.h"
#include "Station.h"
#include "Notifier.h"
#include "Outcome.h"

class StartupList {
public:
    // CurrentLocation starts as "HKLM_Run"; AppDir and ComputerName are set once the window knows them.
    StartupList(StartupView& view, Notifier& notifier, const RegistryApi& api = RealRegistryApi());

    void SetAppDir(std::string appDir) { appDir_ = std::move(appDir); }
    void SetComputerName(std::string computerName) { computerName_ = std::move(computerName); }
    void SetCurrentLocation(std::string tag) { currentLocation_ = std::move(tag); }
    // The computer worked on: this one unless another is set.
    void SetStation(Station station) {
        station_ = std::move(station);
        users_.reset();
    }
    const Station& CurrentStation() const { return station_; }
    // The user profiles of the station, as the Users list names them.
    UserProfiles Profiles() const { return UserProfiles::Of(station_, api_); }
    const std::string& CurrentLocation() const { return currentLocation_; }
    std::string DisabledStoreFile() const { return DisabledStorePath(appDir_, computerName_); }

    // A location of the bar was clicked: press cue, then the list shows that location.
    void SelectLocation(const std::string& tag);
    // Rebuilds the list for CurrentLocation: enabled rows, the count label, then disabled rows.
    void RefreshStartupList();
    // Appends an enabled row per entry of the location named by tag; for "Startup" also fills the users.
    void ScanStartupLocation(const std::string& tag, std::vector<StartupEntry>& rows);
    // "[tag] = n app(s) will start with windows."
    void ShowStartupCount(const std::string& tag, size_t enabledRows);
    // The list shows one user's Startup folder and that user's disabled entries.
    void ListBox1Click(const std::string& user);

    // The rule of both edits' change handlers: Add is enabled when both hold text.
    static bool AddButtonEnabled(const std::string& name, const std::string& path);

    // The handlers: the operation, its outcome shown through the Notifier, then the list rebuilt.
    Outcome Button_AddClick(const std::string& name,
                            const std::string& path,
                            const std::optional<std::string>& selectedUser);
    Outcome DisableApp1Click(const StartupEntry& row);
    Outcome EnableApp1Click(const StartupEntry& row);
    Outcome RemoveApp1Click(const StartupEntry& row);

    // The operations on a row as the list shows it; they show nothing and rebuild nothing. A refused
    // or failed operation changes nothing.
    // Adds path (quoted when it holds a space) under name to locationKey: a tag, or "Startup\" + user.
    Outcome AddEntry(const std::string& locationKey, const std::string& name, const std::string& path);
    Outcome DisableEntry(const StartupEntry& row);
    Outcome EnableEntry(const StartupEntry& row);
    Outcome RemoveEntry(const StartupEntry& row);

    // Writes one entry to a tag's key, or as a shortcut for "Startup\" + user.
    Outcome WriteStartupEntry(const std::string& location,
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

    // A missing key of a registry location is an empty location, reported by no message: a script's
    // view. The window reports it, as it always has.
    void SetMissingKeyIsEmpty(bool empty) { missingKeyIsEmpty_ = empty; }
    // The other logged-on users are read once for all views while kept: a script's run is short. The
    // window reads them at every refresh, as users log on and off while it is open.
    void KeepLoggedOnUsers(bool keep) { keepUsers_ = keep; }

private:
    DisabledStore Store() const;
    const std::vector<LoggedOnUser>& OtherUsers();
    // Windows' own switches of the entries of a LocationKey (a tag, or "Startup\" + user), if any.
    std::optional<SwitchList> SwitchesOf(const std::string& locationKey) const;
    void AppendProfileRows(const UserProfile& profile, std::vector<StartupEntry>& rows);
    // The rows of another location of the view: a 32-bit, RunOnce or policy key.
    void AppendPartnerRows(const StartupLocation& location, std::vector<StartupEntry>& rows);
    // The rows of the other logged-on users' own keys that the view of tag shows.
    void AppendOtherUsersRows(const std::string& tag, std::vector<StartupEntry>& rows);
    // Reads the key at place into rows of location, then marks those its switches hold off. A missing
    // key is empty; one that cannot be read is reported.
    void AppendReadOnlyRows(const LocationPlace& place,
                            const std::string& location,
                            const std::optional<SwitchList>& switches,
                            std::vector<StartupEntry>& rows);
    // True when the location's key can be read but not opened with full access.
    bool ExistsButRefused(const StartupLocation& location) const;
    // A row held off by Windows' switch is switched back on where it stands; nothing else changes.
    Outcome SwitchBackOn(const std::string& locationKey, const StartupEntry& row);
    // After its entry left the location, its switch goes too, lest it hold a later namesake off.
    Outcome DropSwitch(const std::string& locationKey, const std::string& name);
    // Refused when locationKey is a user's own key ("Run\bob") and that user is not logged on.
    std::optional<Outcome> UserAbsent(const std::string& locationKey) const;
    // The outcome shown as the window has always shown such a text: in an error box.
    Outcome Report(Outcome outcome);
    // The registry location could not be opened for the scan (result: the registry's answer): reported
    // unless it is simply missing.
    void ReportUnopened(LONG result);
    // Runs fill, then shows the rows it gathered in App Name order, also when fill raises.
    void ShowRowsOf(const std::function<void(std::vector<StartupEntry>&)>& fill);
    Outcome DisableShortcut(const std::string& appName,
                            const std::string& appPath,
                            const std::string& recordKey);
    Outcome DisableRegistryValue(const std::string& location,
                                 const std::string& appName,
                                 const std::string& appPath,
                                 const std::string& recordKey);

    std::string appDir_;
    std::string computerName_;
    std::string currentLocation_;
    Station station_;
    StartupView& view_;
    Notifier& notifier_;
    const RegistryApi& api_;
    bool missingKeyIsEmpty_ = false;
    bool keepUsers_ = false;
    std::optional<std::vector<LoggedOnUser>> users_;
};
