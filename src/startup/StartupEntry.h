// One row of the startup list, and the order in which the list shows its rows.
#pragma once

#include <string>
#include <vector>

inline constexpr const char* kStatusEnabled = "Enabled";
inline constexpr const char* kStatusDisabled = "Disabled";

// State images of the list: 0 a disabled entry, 1 an enabled one.
inline constexpr int kStateDisabled = 0;
inline constexpr int kStateEnabled = 1;

struct StartupEntry {
    std::string appName;   // caption
    std::string appPath;   // first sub-item
    std::string location;  // second sub-item: a tag, or user + "\Startup"
    std::string status;    // third sub-item: "Enabled" or "Disabled"
    int stateImage = kStateEnabled;
    // Standing in its location, but held off by Windows' own startup settings (Status "Disabled").
    bool switchedOff = false;

    static StartupEntry Enabled(std::string name, std::string path, std::string location) {
        return {std::move(name), std::move(path), std::move(location), kStatusEnabled, kStateEnabled};
    }
    static StartupEntry Disabled(std::string name, std::string path, std::string location) {
        return {std::move(name), std::move(path), std::move(location), kStatusDisabled, kStateDisabled};
    }
    static StartupEntry SwitchedOff(std::string name, std::string path, std::string location) {
        return {std::move(name), std::move(path), std::move(location), kStatusDisabled, kStateDisabled, true};
    }
};

// True when the list shows a before b: App Names compared with lstrcmpA.
bool ShowsBefore(const StartupEntry& a, const StartupEntry& b);

// Orders rows by App Name as the list view sorts them; rows with equal names keep their order.
void OrderByAppName(std::vector<StartupEntry>& rows);
