// The location table.
#include "startup/StartupLocations.h"

const std::array<StartupLocation, 5>& StartupLocations() {
    static const std::array<StartupLocation, 5> locations{{
        {"HKLM_Run", HKEY_LOCAL_MACHINE, "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "HKLM\\..\\Run",
         "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"},
        {"HKLM_RunOnce", HKEY_LOCAL_MACHINE, "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
         "HKLM\\..\\RunOnce", "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
        {"HKCU_Run", HKEY_CURRENT_USER, "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "HKCU\\..\\Run",
         "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"},
        {"HKU_RunOnce", HKEY_USERS, ".DEFAULT\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
         "HKU\\..\\RunOnce", "HKEY_USERS\\.DEFAULT\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce"},
        {kStartupTag, nullptr, "", "Startup", "C:\\Documents and Settings\\[USERS]\\Start Menu\\Programs\\Startup"},
    }};
    return locations;
}

const StartupLocation* FindRegistryLocation(const std::string& tag) {
    for (const StartupLocation& location : StartupLocations())
        if (location.root != nullptr && tag == location.tag) return &location;
    return nullptr;
}
