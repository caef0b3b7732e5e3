// A ServiceApi that stands in for other stations' service managers: each station's Remote Registry service is
// a record that the calls read and change, and that a test can make refuse.
#pragma once

#include <chrono>

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "RegistryApi.h"
#include "ServiceApi.h"

struct FakeService {
    DWORD state = SERVICE_STOPPED;
    DWORD startType = SERVICE_DEMAND_START;
    DWORD managerError = ERROR_SUCCESS;  // OpenSCManagerA refuses with it
    DWORD openError = ERROR_SUCCESS;     // OpenServiceA refuses with it
    DWORD startError = ERROR_SUCCESS;
    DWORD stopError = ERROR_SUCCESS;
    bool neverStarts = false;  // stays START_PENDING
};

struct ServiceFakes {
    std::map<std::string, FakeService> stations;  // by the name after "\\"
    std::vector<std::string> changes;             // "PC01 start type 3", "PC01 start", "PC01 stop", in order
    int openHandles = 0;
    std::function<void()> beforeChange;            // called before each change is made
    std::map<std::string, LONG> registryRefusals;  // a station's registry connection, even while it runs
};

// How long a test lets the sequence wait for the fake's answer to its first question. The fake answers
// at once, but on a loaded machine its thread may start late: a wait that ran out would leave that thread
// to ask a later test's fakes.
inline constexpr std::chrono::milliseconds kProbeWait{10000};

// The plan the fake follows; one test's, reset by ScopedServiceFakes.
ServiceFakes& ServiceFakesNow();
const ServiceApi& FakeServiceApi();

// Real registry calls, but a station's connections reach HKCU\kFakeStationsKey\<station>\HKLM (or \HKU) only
// while its fake Remote Registry service runs and registryRefusals names no refusal; else ERROR_BAD_NETPATH.
inline const char* kFakeStationsKey = "Software\\TellurinFakeStations";
const RegistryApi& RegistryBehindFakeServices();

class ScopedServiceFakes {
public:
    ScopedServiceFakes() { ServiceFakesNow() = ServiceFakes{}; }
    ~ScopedServiceFakes() { ServiceFakesNow() = ServiceFakes{}; }
};
