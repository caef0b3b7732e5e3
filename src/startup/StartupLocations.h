// The five startup locations: tag, root key, key path, and the bar's caption and hint.
#pragma once

#include <windows.h>

#include <array>
#include <string>

struct StartupLocation {
    const char* tag;
    HKEY root;          // nullptr for the Startup folders
    const char* keyPath;  // as passed to TRegistry::OpenPath; empty for the Startup folders
    const char* barCaption;
    const char* barHint;
};

inline constexpr const char* kStartupTag = "Startup";

// In the order of the location bar's items.
const std::array<StartupLocation, 5>& StartupLocations();

// The registry location named exactly by tag, or nullptr (the Startup folders, or any other text).
const StartupLocation* FindRegistryLocation(const std::string& tag);
