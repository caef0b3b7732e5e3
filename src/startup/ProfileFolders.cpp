// FindFileNames over FindFirstFileA, the profiles of the older layout, and the profile set of a computer.
#include "ProfileFolders.h"

#include <windows.h>

#include <algorithm>
#include <array>

#include "UniqueHandle.h"
#include "SystemProfiles.h"

namespace {

bool IsSkippedName(const char* name) {
    static const std::array<std::string, 5> kSkipped{".", "..", "Default User", "LocalService",
                                                     "NetworkService"};
    for (const std::string& skipped : kSkipped)
        if (skipped == name)
            return true;
    return false;
}

std::string LayoutStartupFolder(const std::string& profilesFolder, const std::string& user) {
    return profilesFolder + user + "\\Start Menu\\Programs\\Startup\\";
}

// lstrcmpA order; of two profiles with one name the first stays, so that All Users keeps its folder.
// A computer has few profiles: each is put in its place, after those that do not sort after it.
void OrderAndDropTwins(std::vector<UserProfile>& profiles) {
    std::vector<UserProfile> ordered;
    for (UserProfile& profile : profiles) {
        if (std::any_of(ordered.begin(), ordered.end(),
                        [&](const UserProfile& kept) { return kept.name == profile.name; }))
            continue;
        auto place = ordered.begin();
        while (place != ordered.end() && lstrcmpA(place->name.c_str(), profile.name.c_str()) <= 0)
            ++place;
        ordered.insert(place, std::move(profile));
    }
    profiles.swap(ordered);
}

}  // namespace

void FindFileNames(const std::string& pattern, std::vector<std::string>& names) {
    WIN32_FIND_DATAA entry{};
    UniqueFind search(FindFirstFileA(pattern.c_str(), &entry));
    if (!search)
        return;
    do {
        if (!IsSkippedName(entry.cFileName))
            names.emplace_back(entry.cFileName);
    } while (FindNextFileA(search.get(), &entry));
}

std::vector<UserProfile> DocumentsFolderProfiles(const std::string& fileRoot) {
    std::vector<std::string> names;
    FindFileNames(fileRoot + "docume~1\\*.*", names);
    std::vector<UserProfile> profiles;
    for (std::string& name : names) {
        std::string folder = LayoutStartupFolder(fileRoot + "Docume~1\\", name);
        profiles.push_back({std::move(name), std::move(folder)});
    }
    return profiles;
}

UserProfiles UserProfiles::Of(const Station& station,
                              const std::function<std::vector<ListedProfile>()>& listed) {
    UserProfiles profiles;
    profiles.list_ = DocumentsFolderProfiles(station.FileRoot());
    if (!profiles.list_.empty()) {
        profiles.layoutRoot_ = station.FileRoot() + "Docume~1\\";
        return profiles;
    }
    // Since Vista "Documents and Settings" is at most a junction that refuses listing.
    profiles.list_ = RegisteredProfiles(listed());
    // The shell answers for the user running the program only, on this computer.
    ApplyShellFolders(station.IsThisComputer() ? LocalShellFolders() : StationShellFolders(station),
                      profiles.list_);
    OrderAndDropTwins(profiles.list_);
    return profiles;
}

std::vector<std::string> UserProfiles::Names() const {
    std::vector<std::string> names;
    for (const UserProfile& profile : list_)
        names.push_back(profile.name);
    return names;
}

std::optional<UserProfile> UserProfiles::Named(const std::string& user) const {
    if (!IsPlainUserName(user))
        return std::nullopt;
    if (!layoutRoot_.empty())
        return UserProfile{user, LayoutStartupFolder(layoutRoot_, user)};
    for (const UserProfile& profile : list_)
        if (profile.name == user)
            return profile;
    return std::nullopt;
}

std::vector<std::string> ShortcutFileNames(const std::string& folder) {
    std::vector<std::string> names;
    FindFileNames(folder + "*.lnk", names);
    return names;
}

bool IsDirectlyIn(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() && path.starts_with(folder) &&
           path.find('\\', folder.size()) == std::string::npos;
}
