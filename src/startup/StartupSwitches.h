// Windows' own on/off switch of a startup entry (Task Manager and Settings, Windows 8 and later): a
// binary value named after the entry under ...\Explorer\StartupApproved\<list>, off when its first
// byte is odd. The entry itself stays in its location meanwhile.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "RegistryApi.h"
#include "TRegistry.h"
#include "ProfileFolders.h"
#include "StartupEntry.h"
#include "StartupSources.h"
#include "Station.h"

struct SwitchList {
    HKEY root;
    const char* list;  // the subkey of StartupApproved: "Run", "Run32" or "StartupFolder"
    Station station;   // whose registry holds them
    std::string hive;  // under HKEY_USERS: the logged-on user's hive that holds them; else empty
};

// The switches of a station key's entries, as the table names them; none where the station lacks the
// key's root (another station's HKEY_CURRENT_USER).
std::optional<SwitchList> SwitchListOfTag(const std::string& tag, const Station& station = {});

// The switches of a key of a logged-on user's own hive (sid), where the table names them.
std::optional<SwitchList> SwitchListOfUserKey(const StartupSource& kind,
                                              const std::string& sid,
                                              const Station& station = {});

// The switches of a Startup folder's shortcuts: the current user's (HKCU) and All Users' (HKLM) have
// them, other users' folders none.
std::optional<SwitchList> SwitchListOfFolder(FolderSwitches switches, const Station& station = {});

// True when the switch of that name holds its entry off; no value, or an empty one, means on.
bool IsSwitchedOff(const std::string& firstBytes);

// Shows every row from rows[first] on whose switch is off as a row switched off by Windows.
void MarkSwitchedOffRows(const RegistryApi& api,
                         const std::optional<SwitchList>& switches,
                         std::vector<StartupEntry>& rows,
                         size_t first);

// Where the switches of a user's own Run key stand beneath the user's hive.
inline constexpr const char* kUserRunSwitches =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

// The same with the switches read already.
void MarkRowsSwitchedOff(const std::vector<RegistryValue>& switches,
                         std::vector<StartupEntry>& rows,
                         size_t first);

// A switch that holds the entry off is switched on: 12 bytes, the first made even, the rest zero.
// Raises the registry error when it cannot be written.
void SwitchOn(const RegistryApi& api, const SwitchList& switches, const std::string& name);

// Deletes the switch of that name. False when a switch that holds the entry off stays behind.
bool RemoveSwitch(const RegistryApi& api, const SwitchList& switches, const std::string& name);
