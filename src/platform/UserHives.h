// Which hives under a station's HKEY_USERS are logged-on users, and which of them runs this program.
#pragma once

#include <string>

// A logged-on user's hive under HKEY_USERS: "S-1-5-21-..." but not its "..._Classes" companion.
bool IsUserHive(const std::string& name);

// The SID of the user this process runs as, from its token ("S-1-5-21-..."); empty when unknown.
std::string RunningUserSid();
