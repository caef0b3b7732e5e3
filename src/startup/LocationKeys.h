// How a row's Location, a LocationKey of the store and a user profile name turn into each other.
#pragma once

#include <optional>
#include <string>

#include "StartupSources.h"

// The text of a Location before its first "\": the user of a Startup-folder row or of a user's key
// ("bob\Run"), empty for a tag.
std::string UserPartOf(const std::string& location);

// The kind of a row of a logged-on user's own key: "Run" of "bob\Run"; nullptr for any other Location.
const StartupSource* UserKeyKindOfRow(const std::string& location);

// A row's Location as a LocationKey: "alice\Startup" becomes "Startup\alice", "bob\Run" becomes
// "Run\bob" (so for RunOnce and Policies); a tag stays as it is.
std::string ToLocationKey(const std::string& location);

// A LocationKey of a logged-on user's own key ("Run\bob"): its kind and user. Nothing for other text.
struct UserKey {
    const StartupSource* kind;
    std::string user;
};
std::optional<UserKey> UserKeyOf(const std::string& key);

// The Location of the row of a user's key: "bob" and kind "Run" give "bob\Run".
std::string UserRowLocation(const std::string& user, const StartupSource& kind);

// True for the rows of a source that Group Policy owns ("HKLM_Policies", "U\Policies", ...), and
// for their LocationKeys ("Policies\U").
bool IsPolicyLocation(const std::string& location);

// The source of a row's Location or of a LocationKey, or nullptr for text that names none.
const StartupSource* SourceOfLocation(const std::string& location);
// Who changes the entries of a Location or LocationKey; this program for text that names no source.
ChangedBy ChangedByOf(const std::string& location);
// True when changing the entries of a LocationKey goes through COM: shortcut files, Task Scheduler.
bool ChangedThroughCom(const std::string& locationKey);

// The LocationKey of an entry of location taken with the user part of its row: "Startup" and alice
// give "Startup\alice"; a tag with no user stays as it is.
std::string LocationKeyOf(const std::string& location, const std::string& user);

// True when a location names the Startup folders (it contains "Startup", case-sensitive, and is no
// LocationKey of a user's own key, whose user may be called anything).
bool IsStartupKey(const std::string& location);

// The user of "Startup\" + U: the text from the ninth character on, empty when there is none.
std::string UserOfStartupKey(const std::string& key);

// The Location column of a Startup-folder row: user + "\Startup".
std::string StartupRowLocation(const std::string& user);
