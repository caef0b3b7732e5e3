// The table of startup sources.
#include "StartupSources.h"

namespace {

// A 64-bit process runs on 64-bit Windows only, where 32-bit programs see a registry view of their
// own; in a 32-bit process that view is the native one and would be read twice.
constexpr bool kHasSeparate32BitView = sizeof(void*) == 8;

constexpr const char* kRun = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunOnce = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr const char* kPolicyRun = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";

constexpr const char* kWinlogon = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
constexpr const char* kWindows = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
// A user's packaged apps keep their startup tasks' states in the user's classes hive.
constexpr const char* kAppModel =
    "\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\SystemAppData";
constexpr const char* kOwnAppModel =
    "\\Software\\Classes\\Local "
    "Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\SystemAppData";

constexpr auto kValues = SourceKindId::RegistryValues;
constexpr auto kLogonValues = SourceKindId::LogonValues;
constexpr auto kViewOnly = SourceKindId::None;
constexpr auto kStation = SourceScope::Station;
constexpr auto kEachUser = SourceScope::EachUser;
constexpr auto kRecord = DisableKeeping::StoreRecord;
constexpr auto kOwnSwitch = DisableKeeping::OwnSwitch;
constexpr auto kUs = ChangedBy::Tellurin;
constexpr auto kPolicy = ChangedBy::GroupPolicy;
constexpr auto kEditor = ChangedBy::RegistryEditor;
constexpr auto kNoView = ViewPlace::None;
constexpr auto kBar = ViewPlace::LocationBar;
constexpr auto kMore = ViewPlace::MoreViews;

// tag, view, kind, scope, root, key path, registry view, switches, changed by, keeping, removable,
// values, view place, caption, hint
const StartupSource kTable[] = {
    {"HKLM_Run", "HKLM_Run", kValues, kStation, HKEY_LOCAL_MACHINE, kRun, 0, "Run", kUs, kRecord, true,
     nullptr, kBar, "HKLM\\..\\Run", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"},
    {"HKLM_RunOnce", "HKLM_RunOnce", kValues, kStation, HKEY_LOCAL_MACHINE, kRunOnce, 0, nullptr, kUs,
     kRecord, true, nullptr, kBar, "HKLM\\..\\RunOnce",
     "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
    {"HKCU_Run", "HKCU_Run", kValues, kStation, HKEY_CURRENT_USER, kRun, 0, "Run", kUs, kRecord, true,
     nullptr, kBar, "HKCU\\..\\Run", "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
    // The only path without a leading backslash: relative, it resolves against the root all the same.
    {"HKU_RunOnce", "HKU_RunOnce", kValues, kStation, HKEY_USERS,
     ".DEFAULT\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", 0, nullptr, kUs, kRecord, true,
     nullptr, kBar, "HKU\\..\\RunOnce",
     "HKEY_USERS\\.DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
    // Its list also shows the values right under HKEY_CURRENT_USER (normally none), as every bar
    // item's list starts with its own key.
    {kStartupTag, kStartupTag, SourceKindId::StartupShortcuts, SourceScope::UserFolders, HKEY_CURRENT_USER,
     "", 0, "StartupFolder", kUs, kRecord, true, nullptr, kBar, "Startup",
     "C:\\Documents and Settings\\[USERS]\\Start Menu\\Programs\\Startup"},
    // The views below the bar: scheduled tasks started at log-on or boot, packaged apps' startup tasks.
    {kTasksView, kTasksView, kViewOnly, kStation, nullptr, "", 0, nullptr, kUs, kOwnSwitch, false, nullptr,
     kMore, "Log-on Tasks", "Scheduled tasks that start at log-on or at boot (Task Scheduler)"},
    {kAppsView, kAppsView, kViewOnly, kStation, nullptr, "", 0, nullptr, kUs, kOwnSwitch, false, nullptr,
     kMore, "Packaged Apps", "Startup tasks of packaged (Store) apps, per user"},
    // Where 32-bit installers register on 64-bit Windows.
    {"HKLM_Run32", "HKLM_Run", kValues, kStation, HKEY_LOCAL_MACHINE, kRun, KEY_WOW64_32KEY, "Run32", kUs,
     kRecord, true, nullptr, kNoView, nullptr, nullptr},
    {"HKLM_RunOnce32", "HKLM_RunOnce", kValues, kStation, HKEY_LOCAL_MACHINE, kRunOnce, KEY_WOW64_32KEY,
     nullptr, kUs, kRecord, true, nullptr, kNoView, nullptr, nullptr},
    {"HKCU_RunOnce", "HKU_RunOnce", kValues, kStation, HKEY_CURRENT_USER, kRunOnce, 0, nullptr, kUs, kRecord,
     true, nullptr, kNoView, nullptr, nullptr},
    {"HKLM_Policies", "HKLM_Run", kValues, kStation, HKEY_LOCAL_MACHINE, kPolicyRun, 0, nullptr, kPolicy,
     kRecord, true, nullptr, kNoView, nullptr, nullptr},
    {"HKCU_Policies", "HKCU_Run", kValues, kStation, HKEY_CURRENT_USER, kPolicyRun, 0, nullptr, kPolicy,
     kRecord, true, nullptr, kNoView, nullptr, nullptr},
    // Values Windows itself starts at log-on, shown only when they differ from its default.
    {"HKLM_Winlogon", "HKLM_Run", kLogonValues, kStation, HKEY_LOCAL_MACHINE, kWinlogon, 0, nullptr, kEditor,
     kRecord, false, "Userinit;Shell", kNoView, nullptr, nullptr},
    {"HKCU_Winlogon", "HKCU_Run", kLogonValues, kStation, HKEY_CURRENT_USER, kWinlogon, 0, nullptr, kEditor,
     kRecord, false, "Shell", kNoView, nullptr, nullptr},
    {"HKCU_Windows", "HKCU_Run", kLogonValues, kStation, HKEY_CURRENT_USER, kWindows, 0, nullptr, kEditor,
     kRecord, false, "Load;Run", kNoView, nullptr, nullptr},
    // Task Scheduler's definition files under the station's System32\Tasks.
    {kTaskTag, kTasksView, SourceKindId::LogonTasks, kStation, nullptr, "", 0, nullptr, kUs, kOwnSwitch,
     false, nullptr, kNoView, nullptr, nullptr},
    {kAppTag, kAppsView, SourceKindId::PackagedApps, kStation, HKEY_CURRENT_USER, kOwnAppModel, 0, nullptr,
     kUs, kOwnSwitch, false, nullptr, kNoView, nullptr, nullptr},
    // Every logged-on user's own keys, located "U\Run" and so on.
    {"Run", "HKCU_Run", kValues, kEachUser, HKEY_USERS, kRun, 0, "Run", kUs, kRecord, true, nullptr, kNoView,
     nullptr, nullptr},
    {"RunOnce", "HKU_RunOnce", kValues, kEachUser, HKEY_USERS, kRunOnce, 0, nullptr, kUs, kRecord, true,
     nullptr, kNoView, nullptr, nullptr},
    {"Policies", "HKCU_Run", kValues, kEachUser, HKEY_USERS, kPolicyRun, 0, nullptr, kPolicy, kRecord, true,
     nullptr, kNoView, nullptr, nullptr},
    {"Winlogon", "HKCU_Run", kLogonValues, kEachUser, HKEY_USERS, kWinlogon, 0, nullptr, kEditor, kRecord,
     false, "Shell", kNoView, nullptr, nullptr},
    {"Windows", "HKCU_Run", kLogonValues, kEachUser, HKEY_USERS, kWindows, 0, nullptr, kEditor, kRecord,
     false, "Load;Run", kNoView, nullptr, nullptr},
    // In the user's classes hive, "<SID>_Classes" under HKEY_USERS.
    {kAppTag, kAppsView, SourceKindId::PackagedApps, kEachUser, HKEY_USERS, kAppModel, 0, nullptr, kUs,
     kOwnSwitch, false, nullptr, kNoView, nullptr, nullptr},
};

std::vector<StartupSource> SourcesOfThisSystem() {
    std::vector<StartupSource> sources;
    for (const StartupSource& source : kTable)
        if (kHasSeparate32BitView || source.registryView != KEY_WOW64_32KEY)
            sources.push_back(source);
    return sources;
}

template <typename Keep>
std::vector<const StartupSource*> SourcesWhere(Keep keep) {
    std::vector<const StartupSource*> found;
    for (const StartupSource& source : StartupSources())
        if (keep(source))
            found.push_back(&source);
    return found;
}

}  // namespace

const std::vector<StartupSource>& StartupSources() {
    static const std::vector<StartupSource> sources = SourcesOfThisSystem();
    return sources;
}

std::vector<const StartupSource*> BarItems() {
    return SourcesWhere([](const StartupSource& source) { return source.IsBarItem(); });
}

std::vector<const StartupSource*> Views() {
    std::vector<const StartupSource*> views = BarItems();
    for (const StartupSource* more :
         SourcesWhere([](const StartupSource& s) { return s.place == ViewPlace::MoreViews; }))
        views.push_back(more);
    return views;
}

const StartupSource* FindSource(const std::string& tag) {
    for (const StartupSource& source : StartupSources())
        if (tag == source.tag)
            return &source;
    return nullptr;
}

const StartupSource* FindStationKey(const std::string& tag) {
    const StartupSource* source = FindSource(tag);
    return source != nullptr && source->IsRegistry() && source->scope == SourceScope::Station ? source
                                                                                              : nullptr;
}

const StartupSource* FindUserKeyKind(const std::string& kind) {
    for (const StartupSource& source : StartupSources())
        if (kind == source.tag && source.scope == SourceScope::EachUser)
            return &source;
    return nullptr;
}

std::vector<const StartupSource*> SourcesOfView(const std::string& view) {
    return SourcesWhere([&](const StartupSource& source) { return view == source.view; });
}

std::vector<const StartupSource*> PartnersOf(const std::string& view) {
    return SourcesWhere([&](const StartupSource& source) {
        return view == source.view && !source.IsView() && source.scope == SourceScope::Station;
    });
}

std::vector<const StartupSource*> UserKindsOf(const std::string& view) {
    return SourcesWhere([&](const StartupSource& source) {
        return view == source.view && source.scope == SourceScope::EachUser;
    });
}
