// The startup list's info tips: a row held off by Windows' own startup settings, or set by policy,
// says so when hovered, and every row tells what its program file says of itself.
#pragma once

#include <windows.h>

#include <string>

#include "EntryListView.h"
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

// Answers the list view's info-tip request (LVN_GETINFOTIPA from list); true when header was one. The
// row's program file is looked up on station now, not when the list was filled.
bool FillEntryInfoTip(const EntryListView& list, NMHDR& header, const Station& station = Station());
