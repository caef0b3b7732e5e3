// The user profiles whose Startup folders the "Startup" location shows, and the file search they share.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Station.h"
#include "SystemProfiles.h"
#include "UserProfile.h"

// Appends the names that match pattern, in the order the file system returns them, except ".", "..",
// "Default User", "LocalService" and "NetworkService" (compared exactly). Entries of every kind count:
// files and folders, hidden and system ones. A search that finds nothing or cannot start appends nothing.
void FindFileNames(const std::string& pattern, std::vector<std::string>& names);

// The profiles of one computer. Where its file system holds profiles under "<root>docume~1\" (the
// Windows 2000/XP layout) those are the profiles, in the order found, and any name maps to its folder
// there. Otherwise the system's profile list names them, in lstrcmpA order.
class UserProfiles {
public:
    // A station's profiles: files under its file root, else its profile list (asked of listed only
    // then); on this computer also the shell's own Startup folders for the user running the program
    // and All Users.
    static UserProfiles Of(const Station& station, const std::function<std::vector<ListedProfile>()>& listed);

    const std::vector<UserProfile>& List() const { return list_; }
    std::vector<std::string> Names() const;
    // The profile of that user name; nothing for a name that is no single folder name.
    std::optional<UserProfile> Named(const std::string& user) const;

private:
    std::string layoutRoot_;  // "<root>Docume~1\" in the older layout, else empty
    std::vector<UserProfile> list_;
};

// The older layout's profiles under fileRoot (ending in a backslash); none when that search finds none.
std::vector<UserProfile> DocumentsFolderProfiles(const std::string& fileRoot);

// The "*.lnk" files of a folder that ends in a backslash.
std::vector<std::string> ShortcutFileNames(const std::string& folder);

// True when path names a file directly in folder (which ends in a backslash).
bool IsDirectlyIn(const std::string& path, const std::string& folder);
