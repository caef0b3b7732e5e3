// ProfileList and SHGetFolderPathA.
#include "SystemProfiles.h"

#include <windows.h>
#include <shlobj.h>

#include "ProgramFile.h"
#include "TRegistry.h"

namespace {

constexpr const char* kProfileList = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
constexpr const char* kAppDataStartup =
    "AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\";

bool IsServiceProfile(const std::string& sid) {
    return sid == "S-1-5-18" || sid == "S-1-5-19" || sid == "S-1-5-20";
}

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder;
}

// Expands a station's paths with the station's own environment, asked of it only when a path needs it.
class StationPaths {
public:
    StationPaths(const RegistryApi& api, const Station& station) : api_(api), station_(station) {}
    std::string Expanded(const std::string& text) {
        if (text.find('%') == std::string::npos)
            return text;
        if (!environment_)
            environment_ = StationEnvironment::Of(station_, api_);
        return environment_->Expand(text);
    }

private:
    const RegistryApi& api_;
    const Station& station_;
    std::optional<StationEnvironment> environment_;
};

// The expanded "ProfileImagePath" of the open profile key, as the station names it; empty when it has
// no text one.
std::string ProfileImagePathOf(TRegistry& registry, StationPaths& paths) {
    const std::optional<RegistryValue> value = registry.ReadValue("ProfileImagePath");
    if (!value || (value->kind != ValueKind::Text && value->kind != ValueKind::ExpandableText))
        return {};
    return paths.Expanded(TextOfValue(value->name, value->kind, value->data.data(), value->data.size()));
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// C:\users\alice gives alice.
std::string LastComponent(const std::string& path) {
    std::string trimmed = path;
    while (!trimmed.empty() && trimmed.back() == '\\')
        trimmed.pop_back();
    const size_t separator = trimmed.find_last_of("\\:");
    return separator == std::string::npos ? trimmed : trimmed.substr(separator + 1);
}

// A path of the station ("C:\\users\\alice") as this computer reaches it: under its file root for
// drive C:, through the drive's administrative share for another drive.
std::string SeenFromHere(const std::string& path, const Station& station) {
    if (station.IsThisComputer() || path.size() < 3 || path[1] != ':' || path[2] != '\\')
        return path;
    if (path[0] == 'C' || path[0] == 'c')
        return station.FileRoot() + path.substr(3);
    return "\\\\" + station.Name() + "\\" + path[0] + "$\\" + path.substr(3);
}

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : "";
}

}  // namespace

std::vector<ListedProfile> ListedProfiles(const RegistryApi& api, const Station& station) {
    std::vector<ListedProfile> profiles;
    TRegistry registry(api);
    if (!station.SelectRoot(registry, HKEY_LOCAL_MACHINE) || !registry.OpenPathForReading(kProfileList))
        return profiles;
    std::vector<std::string> sids;
    registry.ListKeyNames(sids);
    StationPaths paths(api, station);
    for (const std::string& sid : sids) {
        if (IsServiceProfile(sid) || !registry.OpenPathForReading(kProfileList + ("\\" + sid)))
            continue;
        const std::string folder = SeenFromHere(ProfileImagePathOf(registry, paths), station);
        const std::string name = LastComponent(folder);
        if (!name.empty() && IsPlainUserName(name))
            profiles.push_back({sid, name, folder});
    }
    return profiles;
}

std::vector<UserProfile> RegisteredProfiles(const std::vector<ListedProfile>& profileList) {
    std::vector<UserProfile> profiles;
    for (const ListedProfile& listed : profileList)
        if (IsFolder(listed.folder))
            profiles.push_back({listed.name, WithSeparator(listed.folder) + kAppDataStartup});
    return profiles;
}

std::string ProfileNameOfSid(const std::string& sid, const RegistryApi& api, const Station& station) {
    TRegistry registry(api);
    if (!station.SelectRoot(registry, HKEY_LOCAL_MACHINE) ||
        !registry.OpenPathForReading(kProfileList + ("\\" + sid)))
        return {};
    StationPaths paths(api, station);
    return LastComponent(ProfileImagePathOf(registry, paths));
}

ShellFolders LocalShellFolders() {
    return {ShellFolder(CSIDL_PROFILE), ShellFolder(CSIDL_STARTUP), ShellFolder(CSIDL_COMMON_STARTUP)};
}

ShellFolders StationShellFolders(const Station& station) {
    const std::string common =
        station.FileRoot() + "ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp";
    return {{}, {}, IsFolder(common) ? common : std::string()};
}

void ApplyShellFolders(const ShellFolders& shell, std::vector<UserProfile>& profiles) {
    const std::string ownDefault = WithSeparator(shell.userProfile) + kAppDataStartup;
    for (UserProfile& profile : profiles) {
        if (shell.userProfile.empty() || lstrcmpiA(profile.startupFolder.c_str(), ownDefault.c_str()) != 0)
            continue;
        if (!shell.userStartup.empty())
            profile.startupFolder = WithSeparator(shell.userStartup);
        profile.switches = FolderSwitches::CurrentUser;
    }
    if (!shell.commonStartup.empty())
        profiles.insert(profiles.begin(), UserProfile{"All Users", WithSeparator(shell.commonStartup),
                                                      FolderSwitches::AllUsers});
}
