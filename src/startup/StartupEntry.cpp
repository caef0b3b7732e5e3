// Row order by the system's locale-aware comparison, as the list view uses it.
#include "startup/StartupEntry.h"

#include <windows.h>

#include <algorithm>

bool ShowsBefore(const StartupEntry& a, const StartupEntry& b) {
    return lstrcmpA(a.appName.c_str(), b.appName.c_str()) < 0;
}

void OrderByAppName(std::vector<StartupEntry>& rows) {
    std::stable_sort(rows.begin(), rows.end(), ShowsBefore);
}
