// FindFileNames over FindFirstFileA, and the profile and Startup folder names built on it.
#include "startup/ProfileFolders.h"

#include <windows.h>

#include <array>

#include "platform/UniqueHandle.h"

namespace {

bool IsSkippedName(const char* name) {
    static const std::array<std::string, 5> kSkipped{".", "..", "Default User", "LocalService",
                                                     "NetworkService"};
    for (const std::string& skipped : kSkipped)
        if (skipped == name)
            return true;
    return false;
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

std::vector<std::string> ProfileNames(const Station& station) {
    std::vector<std::string> names;
    FindFileNames(station.FileRoot() + "docume~1\\*.*", names);
    return names;
}

std::string StartupFolderOf(const std::string& user, const Station& station) {
    return station.FileRoot() + "Docume~1\\" + user + "\\Start Menu\\Programs\\Startup\\";
}

std::vector<std::string> ShortcutFileNames(const std::string& folder) {
    std::vector<std::string> names;
    FindFileNames(folder + "*.lnk", names);
    return names;
}

bool IsInStartupFolderOf(const std::string& path, const std::string& user, const Station& station) {
    const std::string folder = StartupFolderOf(user, station);
    return path.size() > folder.size() && path.starts_with(folder) &&
           path.find('\\', folder.size()) == std::string::npos;
}
