// The texts the startup logic shows in its message boxes.
#pragma once

#include <string>

inline constexpr const char* kCouldNotOpenRegistry = "Could NOT open registry !";
inline constexpr const char* kNameMissing = "You MUST specify the name for the application !";
inline constexpr const char* kPathMissing = "You MUST specify the path for the application !";
inline constexpr const char* kUserMissing = "You MUST select a user for the Startup folder !";

inline constexpr const char* kCouldNotWrite = "Could NOT write to registry !";
inline constexpr const char* kCouldNotDelete = "Could NOT delete from registry !";
inline constexpr const char* kCouldNotCreateShortcut = "Could NOT create the shortcut !";
inline constexpr const char* kCouldNotReadShortcut =
    "Could NOT read the target of the shortcut, it stays enabled !";
inline constexpr const char* kNotAUserName =
    "Could NOT enable: the user name of the record is NOT a single folder name, the entry stays disabled !";
inline constexpr const char* kCouldNotDeleteSwitch =
    "Could NOT delete the switch of Windows' startup settings that holds this name off !";
// Group Policy writes its keys back at its next refresh: a change here would not hold.
inline constexpr const char* kSetByPolicy =
    "Could NOT change an entry that is set by policy: Group Policy writes it back, nothing was changed !";
// Values Windows starts from its own settings: shown because they differ from its default.
inline constexpr const char* kChangedWithRegistryEditor =
    "Could NOT change a value Windows starts at log-on from its own settings: it is changed with the "
    "registry "
    "editor, nothing was changed !";
inline constexpr const char* kNoSwitchOfItsOwn =
    "this location has no switch of its own, nothing was changed !";
inline constexpr const char* kLineBreakInEntry =
    "Could NOT disable an entry whose name or path holds a line break !";

// "[" + location + "]:" and five spaces before the dash, as every location message has it.
inline std::string AtLocation(const std::string& location, const std::string& text) {
    return "[" + location + "]:     - " + text;
}

// A value of that name stands in the key, but not the one the row shows.
inline std::string OtherValueText(const std::string& name) {
    return "'" + name + "' holds another path in the registry, nothing was deleted !";
}

// A shortcut file that the system would not delete, with its reason.
inline std::string CouldNotDeleteFileText(const std::string& path, const std::string& reason) {
    return "Could NOT delete '" + path + "': " + reason;
}

// A row of the Startup view that is no shortcut file of a Startup folder (a value under the root key).
inline std::string NotAStartupShortcutText(const std::string& path) {
    return "'" + path + "' is NOT a shortcut of a Startup folder, nothing was changed !";
}

// A user's own key stands in that user's hive, which is loaded only while the user is logged on.
inline std::string NotLoggedOnText(const std::string& user) {
    return "the user '" + user +
           "' is NOT logged on, that user's key cannot be reached: nothing was changed !";
}
