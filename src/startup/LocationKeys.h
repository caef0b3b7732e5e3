// How a row's Location, a LocationKey of the store and a user profile name turn into each other.
#pragma once

#include <string>

// The text of a Location before its first "\": the user of a Startup-folder row, empty for a tag.
std::string UserPartOf(const std::string& location);

// A row's Location as a LocationKey: "alice\Startup" becomes "Startup\alice"; a tag stays as it is.
std::string ToLocationKey(const std::string& location);

// The LocationKey of an entry of location taken with the user part of its row: "Startup" and alice
// give "Startup\alice"; a tag with no user stays as it is.
std::string LocationKeyOf(const std::string& location, const std::string& user);

// True when a location names the Startup folders (it contains "Startup", case-sensitive).
bool IsStartupKey(const std::string& location);

// The user of "Startup\" + U: the text from the ninth character on, empty when there is none.
std::string UserOfStartupKey(const std::string& key);

// The Location column of a Startup-folder row: user + "\Startup".
std::string StartupRowLocation(const std::string& user);
