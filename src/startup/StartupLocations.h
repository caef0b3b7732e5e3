// The five startup locations: tag, root key, key path, and the bar's caption and hint; and the keys
// whose rows a bar item's view shows with its own: the 32-bit view's, RunOnce, policy and other users'.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <vector>

struct StartupLocation {
    const char* tag;
    HKEY root;            // nullptr for the Startup folders
    const char* keyPath;  // as passed to TRegistry::OpenPath; empty for the Startup folders
    const char* barCaption;
    const char* barHint;
    REGSAM view = 0;  // KEY_WOW64_32KEY for a key of the 32-bit registry view
};

inline constexpr const char* kStartupTag = "Startup";

// In the order of the location bar's items.
const std::array<StartupLocation, 5>& StartupLocations();

// "HKLM_Run32" and "HKLM_RunOnce32": where 32-bit installers register on 64-bit Windows.
const std::array<StartupLocation, 2>& Startup32BitLocations();

// Keys that Windows also runs at log-on, shown in the view of a bar item with its own rows: the running
// user's "HKCU_RunOnce" and the policy keys "HKLM_Policies" and "HKCU_Policies".
struct PartnerLocation {
    StartupLocation location;
    const char* view;  // the tag of the bar item whose list shows its rows
};
const std::array<PartnerLocation, 3>& PartnerLocations();

// The keys every logged-on user has in that user's own hive; a row of one is located "U" + kind.
struct UserKeyKind {
    const char* kind;       // "Run", "RunOnce" or "Policies"
    const char* keyPath;    // absolute under the user's hive
    const char* view;       // the tag of the bar item whose list shows its rows
    bool byPolicy = false;  // written by Group Policy, which owns it
};
const std::array<UserKeyKind, 3>& UserKeyKinds();
// The kind named exactly by text, or nullptr.
const UserKeyKind* FindUserKeyKind(const std::string& kind);

// The locations of the view of tag that are not tag itself: its 32-bit partner, then the others above.
std::vector<const StartupLocation*> PartnersOf(const std::string& tag);

// The registry location named exactly by tag, 32-bit and partner ones included, or nullptr (the Startup
// folders, or any other text).
const StartupLocation* FindRegistryLocation(const std::string& tag);

// The 32-bit location shown with the native tag's rows ("HKLM_Run32" for "HKLM_Run"); nullptr for
// the other tags, and where the system has no separate 32-bit view.
const StartupLocation* Find32BitPartner(const std::string& tag);
