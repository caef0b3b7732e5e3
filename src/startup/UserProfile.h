// One user profile as the Startup view shows it, and what makes a user name safe to build a path of.
#pragma once

#include <string>

// Which of Windows' own startup switches a Startup folder's shortcuts have.
enum class FolderSwitches { None, CurrentUser, AllUsers };

struct UserProfile {
    std::string name;           // as the Users list shows it; "All Users" for the common folder
    std::string startupFolder;  // ends in a backslash
    FolderSwitches switches = FolderSwitches::None;
};

// A user name is one folder name: it holds no "\", "/" or ":" and is not "." or "..".
inline bool IsPlainUserName(const std::string& user) {
    return user.find_first_of("\\/:") == std::string::npos && user != "." && user != "..";
}
