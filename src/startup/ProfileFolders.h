// The user profiles under the fixed profiles root, their Startup folders, and the file search they share.
#pragma once

#include <string>
#include <vector>

#include "startup/Station.h"

// Appends the names that match pattern, in the order the file system returns them, except ".", "..",
// "Default User", "LocalService" and "NetworkService" (compared exactly). Entries of every kind count:
// files and folders, hidden and system ones. A search that finds nothing or cannot start appends nothing.
void FindFileNames(const std::string& pattern, std::vector<std::string>& names);

// The profile names under "C:\docume~1\" of the station, files included (there is no test for a folder).
std::vector<std::string> ProfileNames(const Station& station = {});

// "C:\Docume~1\" + user + "\Start Menu\Programs\Startup\" of the station, ending in a backslash.
std::string StartupFolderOf(const std::string& user, const Station& station = {});

// The "*.lnk" files of a folder that ends in a backslash.
std::vector<std::string> ShortcutFileNames(const std::string& folder);

// True when path names a file directly in the user's Startup folder, as the rows of that folder do.
bool IsInStartupFolderOf(const std::string& path, const std::string& user, const Station& station = {});
