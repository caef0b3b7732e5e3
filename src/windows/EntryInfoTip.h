// The startup list's info tips: a row held off by Windows' own startup settings, or set by policy,
// says so when hovered, and every row tells what its program file says of itself.
#pragma once

#include <windows.h>

#include <string>

#include "StartupEntry.h"
#include "Station.h"

// The info tip of a row that stands in its location but is held off by Windows itself.
inline constexpr const char* kSwitchedOffByWindows =
    "Switched off in Windows' startup settings (Task Manager or Settings); Enable App switches it back on.";
inline constexpr const char* kSwitchedOffInTaskSchedulerTip =
    "Switched off in Task Scheduler; Enable App switches it back on.";
// The info tip of a value Windows starts from its own settings, shown as it differs from the default.
inline constexpr const char* kNotTheWindowsDefaultTip =
    "Not the Windows default: Windows starts this at log-on from its own settings. It is changed with the "
    "registry editor, not here.";
// The info tip of a row of a user who is not logged on.
inline std::string LoggedOffTip(const std::string& user) {
    return user + " is not logged on: read from " + user +
           "'s registry file (NTUSER.DAT). The entry can be changed while " + user + " is logged on.";
}
// The info tip of a row of a policy key.
inline constexpr const char* kSetByPolicyTip =
    "Set by policy (Group Policy writes it back at its next refresh): it cannot be disabled or removed here.";

// The item data of a row: what its texts do not say.
inline constexpr LPARAM kRowSwitchedOff = 1;  // stands in its location, switched off there
inline constexpr LPARAM kRowSetByPolicy = 2;  // its state is set by policy
inline constexpr LPARAM kRowLoggedOff = 4;    // its user is not logged on: read from the user's file

LPARAM RowDataOf(EntryHold hold);

// True when the list's row is held off by Windows' own switch (its item data says so).
bool IsSwitchedOffRow(HWND list, int index);
// What holds the list's row (its item data says so).
EntryHold HoldOfRow(HWND list, int index);

// Lets the list view ask its parent for info tips.
void EnableInfoTips(HWND list);

// Answers the list view's info-tip request (LVN_GETINFOTIPA from list); true when header was one. The
// row's program file is looked up on station now, not when the list was filled.
bool FillEntryInfoTip(HWND list, NMHDR& header, const Station& station = Station());
