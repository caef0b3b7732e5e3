// What a station's service manager says of its Remote Registry service, for the sequence and for the
// words that tell a station's trouble apart.
#pragma once

#include <windows.h>

// What a station's service manager says of its Remote Registry service.
struct ServiceFinding {
    // Of the call that failed; ERROR_TIMEOUT when no answer came within probeWait.
    DWORD error = ERROR_SUCCESS;
    bool managerAnswered = false;  // the error, if any, came from the service, not from reaching the manager
    DWORD state = 0;               // SERVICE_STOPPED, SERVICE_RUNNING, ...
    DWORD startType = SERVICE_DEMAND_START;
    bool Stopped() const { return error == ERROR_SUCCESS && state == SERVICE_STOPPED; }
};
