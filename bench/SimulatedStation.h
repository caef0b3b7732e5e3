// A station shaped like the demo machine, reached through a RegistryApi that counts every call and
// waits a fixed time before each one, as a call over the network does.
#pragma once

#include <windows.h>

#include <string>

#include "RegistryApi.h"

// The calls made since the last reset, by kind.
struct RegistryCalls {
    long connect = 0;
    long open = 0;
    long close = 0;
    long queryValue = 0;
    long queryInfo = 0;
    long enumValue = 0;
    long enumKey = 0;
    long other = 0;  // create, set, delete: a listing makes none

    long Total() const {
        return connect + open + close + queryValue + queryInfo + enumValue + enumKey + other;
    }
};

// Every station name reaches the same staged registry (HKCU\Software\TellurinBenchStation) and the
// same drive folder, which the listing only reads.
void StageSimulatedStation();
void RemoveSimulatedStation();
// Where the station's drive C: is seen from here, ending in a backslash.
std::string SimulatedDrive();

const RegistryApi& SimulatedStationApi();
void SetSimulatedLatency(DWORD milliseconds);
RegistryCalls TakeSimulatedCalls();  // and starts counting again from zero

// The fewest calls a listing of every view can make on this station, and how they add up.
long SimulatedStationFloor();
