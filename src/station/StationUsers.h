// The current-user part of a station's registry: this computer's HKEY_CURRENT_USER, or on any other
// station the hives of the users logged on there, since Windows connects no other computer's
// HKEY_CURRENT_USER.
#pragma once

#include <string>
#include <vector>

#include "RegistryApi.h"
#include "StationSession.h"
#include "UserHives.h"

// "." or this computer's name in any case.
bool IsThisComputer(const std::string& station);

class StationUserSession {
public:
    StationUserSession(const RegistryApi& api, const std::string& station);

    bool Connected() const { return session_.Connected(); }
    bool IsThisComputer() const { return thisComputer_; }
    TRegistry& Registry() { return session_.Registry(); }
    // One prefix per user, to put before an absolute key path, in the order the station lists them:
    // "" for this computer's HKEY_CURRENT_USER, "\<hive>" for each user logged on to another station.
    // Empty when not connected or when nobody is logged on.
    const std::vector<std::string>& UserRoots() const { return userRoots_; }

private:
    bool thisComputer_;
    StationSession session_;
    std::vector<std::string> userRoots_;
};
