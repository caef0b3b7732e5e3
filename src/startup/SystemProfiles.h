// The profiles Windows Vista and later list in the registry, and the shell's own Startup folders.
#pragma once

#include <string>
#include <vector>

#include "RegistryApi.h"
#include "Station.h"
#include "UserProfile.h"

// A profile of the station's ProfileList: its SID, its folder's name, and its folder as seen from here
// (its ProfileImagePath expanded with the station's environment).
struct ListedProfile {
    std::string sid;
    std::string name;
    std::string folder;
};
// Every profile of ProfileList but the service profiles, whose folder's name is one folder name.
std::vector<ListedProfile> ListedProfiles(const RegistryApi& api, const Station& station = {});

// The profiles of listed whose folder exists, each with its Startup folder under AppData, in the
// registry's order.
std::vector<UserProfile> RegisteredProfiles(const std::vector<ListedProfile>& listed);

// The name a user's profile folder gives that SID: the last folder of its expanded ProfileImagePath
// under the station's ProfileList; empty when there is none.
std::string ProfileNameOfSid(const std::string& sid, const RegistryApi& api, const Station& station = {});

// What the shell of this computer reports; a folder it cannot report is empty.
struct ShellFolders {
    std::string userProfile;    // the running user's profile folder
    std::string userStartup;    // that user's Startup folder, wherever it was redirected
    std::string commonStartup;  // the All Users Startup folder
};
ShellFolders LocalShellFolders();
// Another station's shell cannot be asked: only its common Startup folder, where it stands on Vista
// and later, is known.
ShellFolders StationShellFolders(const Station& station);

// The running user's profile takes the shell's Startup folder and the current user's switches;
// "All Users" with the common folder goes first.
void ApplyShellFolders(const ShellFolders& shell, std::vector<UserProfile>& profiles);
