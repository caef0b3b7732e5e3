// The table of startup sources: one row per Location, saying what it is. Adding a source is a row.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// How a source keeps its entries; each kind is one implementation of SourceKind.
enum class SourceKindId { RegistryValues, StartupShortcuts };

// Whose registry or folders hold the source.
enum class SourceScope {
    Station,     // a fixed key under one of the station's roots
    EachUser,    // a key in each logged-on user's own hive, located "U\" + tag
    UserFolders  // the Startup folders of every user profile, located "U\Startup"
};

// How a disable is kept: the entry leaves its location and is recorded in the DisabledStore.
enum class DisableKeeping { StoreRecord };

struct StartupSource {
    const char* tag;   // the Location of its rows (of each user's key: the part after "U\")
    const char* view;  // the tag of the bar item whose list shows its rows
    SourceKindId kind;
    SourceScope scope;
    HKEY root;             // for EachUser: HKEY_USERS, the key under each user's hive
    const char* keyPath;   // as passed to TRegistry::OpenPath; for EachUser absolute under the hive
    REGSAM registryView;   // KEY_WOW64_32KEY for a key of the 32-bit registry view, else 0
    const char* switches;  // the list of Windows' own switches under StartupApproved, or nullptr
    bool byPolicy;         // written by Group Policy, which owns it: read, never changed
    DisableKeeping keeping;
    const char* barCaption;  // bar items only (tag == view), else nullptr
    const char* barHint;

    bool IsBarItem() const { return barCaption != nullptr; }
    bool IsRegistry() const { return kind == SourceKindId::RegistryValues; }
};

inline constexpr const char* kStartupTag = "Startup";

// Every source this system has, bar items first in the bar's order; a view's other sources follow
// in the order its list reads them. The 32-bit view's rows stand only where the system has one.
const std::vector<StartupSource>& StartupSources();

// The bar items, in the bar's order.
std::vector<const StartupSource*> BarItems();

// The source of a bar item, a station key or a user's key kind named exactly by tag, or nullptr.
const StartupSource* FindSource(const std::string& tag);

// The registry source of a fixed station key (bar item or not) named exactly by tag, or nullptr.
const StartupSource* FindStationKey(const std::string& tag);

// The sources of each user's own hive, named exactly by the part after "U\"; nullptr for any other.
const StartupSource* FindUserKeyKind(const std::string& kind);

// The sources that view's list shows, in the order it reads them: its own bar item first.
std::vector<const StartupSource*> SourcesOfView(const std::string& view);

// The station keys of a view other than its own bar item: the 32-bit view's, RunOnce, policy.
std::vector<const StartupSource*> PartnersOf(const std::string& view);

// The each-user sources of a view.
std::vector<const StartupSource*> UserKindsOf(const std::string& view);
