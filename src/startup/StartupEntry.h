// One row of the startup list, and the order in which the list shows its rows.
#pragma once

#include <string>
#include <vector>

inline constexpr const char* kStatusEnabled = "Enabled";
inline constexpr const char* kStatusDisabled = "Disabled";

// Where an entry stands: in its location and started, moved aside into the DisabledStore, or in its
// location but held off by Windows' own startup settings. The Status text and state image follow.
enum class EntryState { Enabled, Disabled, SwitchedOff };

// What holds an entry that this program cannot change, whatever its location allows: its state set
// by policy (a packaged app's), or its user not logged on (read from that user's registry file).
enum class EntryHold { None, Policy, LoggedOff };

struct StartupEntry {
    std::string appName;   // caption
    std::string appPath;   // first sub-item
    std::string location;  // second sub-item: a tag, or user + "\Startup"
    EntryState state = EntryState::Enabled;
    EntryHold hold = EntryHold::None;

    static StartupEntry Enabled(std::string name, std::string path, std::string location) {
        return {std::move(name), std::move(path), std::move(location), EntryState::Enabled, EntryHold::None};
    }
    static StartupEntry Disabled(std::string name, std::string path, std::string location) {
        return {std::move(name), std::move(path), std::move(location), EntryState::Disabled, EntryHold::None};
    }

    bool IsEnabled() const { return state == EntryState::Enabled; }
    // Enabled or switched off: the entry stands in its location either way.
    bool StandsInLocation() const { return state != EntryState::Disabled; }
    // Third sub-item: only an entry that starts is "Enabled".
    std::string Status() const { return IsEnabled() ? kStatusEnabled : kStatusDisabled; }
    // State image of the list: 0 an entry that does not start, 1 one that does.
    int StateImage() const { return IsEnabled() ? 1 : 0; }
};

// True when the list shows a before b: App Names compared with lstrcmpA.
bool ShowsBefore(const StartupEntry& a, const StartupEntry& b);

// Orders rows by App Name as the list view sorts them; rows with equal names keep their order.
void OrderByAppName(std::vector<StartupEntry>& rows);
