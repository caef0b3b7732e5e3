// The five startup locations: tag, root key, key path, and the bar's caption and hint; and the 32-bit
// registry view's Run keys, whose rows the native tag's view shows.
#pragma once

#include <windows.h>

#include <array>
#include <string>

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

// The registry location named exactly by tag, 32-bit ones included, or nullptr (the Startup folders,
// or any other text).
const StartupLocation* FindRegistryLocation(const std::string& tag);

// The 32-bit location shown with the native tag's rows ("HKLM_Run32" for "HKLM_Run"); nullptr for
// the other tags, and where the system has no separate 32-bit view.
const StartupLocation* Find32BitPartner(const std::string& tag);
