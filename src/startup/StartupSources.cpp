// The table of startup sources.
#include "StartupSources.h"

namespace {

// A 64-bit process runs on 64-bit Windows only, where 32-bit programs see a registry view of their
// own; in a 32-bit process that view is the native one and would be read twice.
constexpr bool kHasSeparate32BitView = sizeof(void*) == 8;

constexpr const char* kRun = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunOnce = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr const char* kPolicyRun = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run";

constexpr auto kValues = SourceKindId::RegistryValues;
constexpr auto kStation = SourceScope::Station;
constexpr auto kEachUser = SourceScope::EachUser;
constexpr auto kRecord = DisableKeeping::StoreRecord;

// tag, view, kind, scope, root, key path, registry view, switches, by policy, keeping, caption, hint
const StartupSource kTable[] = {
    {"HKLM_Run", "HKLM_Run", kValues, kStation, HKEY_LOCAL_MACHINE, kRun, 0, "Run", false, kRecord,
     "HKLM\\..\\Run", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"},
    {"HKLM_RunOnce", "HKLM_RunOnce", kValues, kStation, HKEY_LOCAL_MACHINE, kRunOnce, 0, nullptr, false,
     kRecord, "HKLM\\..\\RunOnce",
     "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
    {"HKCU_Run", "HKCU_Run", kValues, kStation, HKEY_CURRENT_USER, kRun, 0, "Run", false, kRecord,
     "HKCU\\..\\Run", "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
    // The only path without a leading backslash: relative, it resolves against the root all the same.
    {"HKU_RunOnce", "HKU_RunOnce", kValues, kStation, HKEY_USERS,
     ".DEFAULT\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", 0, nullptr, false, kRecord,
     "HKU\\..\\RunOnce", "HKEY_USERS\\.DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
    // Its list also shows the values right under HKEY_CURRENT_USER (normally none), as every bar
    // item's list starts with its own key.
    {kStartupTag, kStartupTag, SourceKindId::StartupShortcuts, SourceScope::UserFolders, HKEY_CURRENT_USER,
     "", 0, "StartupFolder", false, kRecord, "Startup",
     "C:\\Documents and Settings\\[USERS]\\Start Menu\\Programs\\Startup"},
    // Where 32-bit installers register on 64-bit Windows.
    {"HKLM_Run32", "HKLM_Run", kValues, kStation, HKEY_LOCAL_MACHINE, kRun, KEY_WOW64_32KEY, "Run32", false,
     kRecord, nullptr, nullptr},
    {"HKLM_RunOnce32", "HKLM_RunOnce", kValues, kStation, HKEY_LOCAL_MACHINE, kRunOnce, KEY_WOW64_32KEY,
     nullptr, false, kRecord, nullptr, nullptr},
    {"HKCU_RunOnce", "HKU_RunOnce", kValues, kStation, HKEY_CURRENT_USER, kRunOnce, 0, nullptr, false,
     kRecord, nullptr, nullptr},
    {"HKLM_Policies", "HKLM_Run", kValues, kStation, HKEY_LOCAL_MACHINE, kPolicyRun, 0, nullptr, true,
     kRecord, nullptr, nullptr},
    {"HKCU_Policies", "HKCU_Run", kValues, kStation, HKEY_CURRENT_USER, kPolicyRun, 0, nullptr, true, kRecord,
     nullptr, nullptr},
    // Every logged-on user's own keys, located "U\Run" and so on.
    {"Run", "HKCU_Run", kValues, kEachUser, HKEY_USERS, kRun, 0, "Run", false, kRecord, nullptr, nullptr},
    {"RunOnce", "HKU_RunOnce", kValues, kEachUser, HKEY_USERS, kRunOnce, 0, nullptr, false, kRecord, nullptr,
     nullptr},
    {"Policies", "HKCU_Run", kValues, kEachUser, HKEY_USERS, kPolicyRun, 0, nullptr, true, kRecord, nullptr,
     nullptr},
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
    const StartupSource* source = FindSource(kind);
    return source != nullptr && source->scope == SourceScope::EachUser ? source : nullptr;
}

std::vector<const StartupSource*> SourcesOfView(const std::string& view) {
    return SourcesWhere([&](const StartupSource& source) { return view == source.view; });
}

std::vector<const StartupSource*> PartnersOf(const std::string& view) {
    return SourcesWhere([&](const StartupSource& source) {
        return view == source.view && !source.IsBarItem() && source.scope == SourceScope::Station;
    });
}

std::vector<const StartupSource*> UserKindsOf(const std::string& view) {
    return SourcesWhere([&](const StartupSource& source) {
        return view == source.view && source.scope == SourceScope::EachUser;
    });
}
