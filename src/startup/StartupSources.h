// The table of startup sources: one row per Location, saying what it is. Adding a source is a row.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// How a source keeps its entries; each kind is one implementation of SourceKind.
// None: a view that holds nothing itself, only the sources that name it.
enum class SourceKindId { None, RegistryValues, StartupShortcuts, LogonTasks, PackagedApps, LogonValues };

// Whose registry or folders hold the source.
enum class SourceScope {
    Station,     // a fixed key under one of the station's roots, or files of the station
    EachUser,    // a key in each logged-on user's own hive, located "U\" + tag
    UserFolders  // the Startup folders of every user profile, located "U\Startup"
};

// How a disable is kept: the entry leaves its location and is recorded in the DisabledStore, or
// the source has a switch of its own (Task Scheduler's, the packaged app's state) that keeps it.
enum class DisableKeeping { StoreRecord, OwnSwitch };

// Who changes a source's entries: this program, or only Group Policy (which writes them back), or
// only the registry editor (values Tellurin shows but never changes).
enum class ChangedBy { Tellurin, GroupPolicy, RegistryEditor };

// Where a view is chosen in the window: an item of the location bar, or the links below it.
enum class ViewPlace { None, LocationBar, MoreViews };

struct StartupSource {
    const char* tag;   // the Location of its rows (of each user's key: the part after "U\")
    const char* view;  // the tag of the bar item whose list shows its rows
    SourceKindId kind;
    SourceScope scope;
    HKEY root;             // for EachUser: HKEY_USERS, the key under each user's hive
    const char* keyPath;   // as passed to TRegistry::OpenPath; for EachUser absolute under the hive
    REGSAM registryView;   // KEY_WOW64_32KEY for a key of the 32-bit registry view, else 0
    const char* switches;  // the list of Windows' own switches under StartupApproved, or nullptr
    ChangedBy changedBy;
    DisableKeeping keeping;
    bool removable;       // false where the entry is deleted elsewhere (Task Scheduler, the app's package)
    const char* values;   // the value names a LogonValues source shows, ";" between them; else nullptr
    ViewPlace place;      // views only (tag == view)
    const char* caption;  // of a view: the bar item's or the link's text, and its hint
    const char* hint;

    bool IsView() const { return place != ViewPlace::None; }
    bool IsBarItem() const { return place == ViewPlace::LocationBar; }
    bool IsRegistry() const { return kind == SourceKindId::RegistryValues; }
    bool ByPolicy() const { return changedBy == ChangedBy::GroupPolicy; }
};

inline constexpr const char* kStartupTag = "Startup";
inline constexpr const char* kTasksView = "Tasks";
inline constexpr const char* kAppsView = "Apps";
inline constexpr const char* kTaskTag = "Task";  // the Location of a log-on task's row
inline constexpr const char* kAppTag = "App";    // of a packaged app's startup task ("U\App" another user's)

// Every source this system has, bar items first in the bar's order; a view's other sources follow
// in the order its list reads them. The 32-bit view's rows stand only where the system has one.
const std::vector<StartupSource>& StartupSources();

// The bar items, in the bar's order.
std::vector<const StartupSource*> BarItems();
// Every view: the bar items, then the views chosen below the bar.
std::vector<const StartupSource*> Views();

// The source of a bar item, a station key or a user's key kind named exactly by tag, or nullptr.
const StartupSource* FindSource(const std::string& tag);

// The registry source of a fixed station key (bar item or not) named exactly by tag, or nullptr.
// Every registry kind (values of the Run family, the log-on values, the packaged apps) counts.
const StartupSource* FindStationKey(const std::string& tag);

// The sources of each user's own hive, named exactly by the part after "U\"; nullptr for any other.
const StartupSource* FindUserKeyKind(const std::string& kind);

// The sources that view's list shows, in the order it reads them: its own bar item first.
std::vector<const StartupSource*> SourcesOfView(const std::string& view);

// The station keys of a view other than its own bar item: the 32-bit view's, RunOnce, policy.
std::vector<const StartupSource*> PartnersOf(const std::string& view);

// The each-user sources of a view.
std::vector<const StartupSource*> UserKindsOf(const std::string& view);
