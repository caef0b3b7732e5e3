// The rows of one location as the machine holds them: registry values, or Startup-folder shortcuts.
#pragma once

#include <string>
#include <vector>

#include "TRegistry.h"
#include "ProfileFolders.h"
#include "StartupEntry.h"

// Appends an enabled row per named value of the open key, in the registry's order; the default
// value is skipped. A value that is not text raises "Invalid data type for '<name>'" after the rows
// before it were appended.
void AppendRegistryRows(TRegistry& registry, const std::string& tag, std::vector<StartupEntry>& rows);

// The same for values read already, in their order.
void AppendValueRows(const std::vector<RegistryValue>& values,
                     const std::string& tag,
                     std::vector<StartupEntry>& rows);

// Appends an enabled row per shortcut file in the profile's Startup folder.
void AppendFolderRows(const UserProfile& profile, std::vector<StartupEntry>& rows);
