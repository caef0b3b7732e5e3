// "pc-07", another computer whose registry is mapped onto local test keys, since no second computer
// can be reached here: its HKEY_CURRENT_USER is refused, its HKEY_LOCAL_MACHINE and HKEY_USERS are
// keys of this computer. Other names go to the faulty API; every connection asked for is recorded.
#pragma once

#include <windows.h>

#include <string>

#include "RegistryApi.h"
#include "support/FaultyRegistryApi.h"
#include "support/KeySnapshot.h"

inline const std::string kFakeStationKey = "Software\\TellurinTests\\Station";
inline const std::string kFakeStationUsers = kFakeStationKey + "\\HKU";

inline LONG WINAPI ConnectFakeStation(LPCSTR machine, HKEY root, PHKEY result) {
    if (std::string(machine) != "\\\\pc-07")
        return FaultyRegistryApi().connectRegistry(machine, root, result);
    Faults().connected.push_back(root);
    if (root != HKEY_LOCAL_MACHINE && root != HKEY_USERS)
        return ERROR_INVALID_HANDLE;
    const std::string path = kFakeStationKey + (root == HKEY_USERS ? "\\HKU" : "\\HKLM");
    return RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, result,
                           nullptr);
}

// The faulty API with pc-07 among the computers it reaches.
inline RegistryApi FakeStationApi() {
    RegistryApi api = FaultyRegistryApi();
    api.connectRegistry = ConnectFakeStation;
    return api;
}

// The station's keys for one test: its owner set, removed again at the end.
class FakeStation {
public:
    FakeStation() {
        SetTextValue(HKEY_CURRENT_USER,
                     kFakeStationKey + "\\HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                     "RegisteredOwner", "Station Owner");
    }
    ~FakeStation() { DeleteKeyTree(HKEY_CURRENT_USER, kFakeStationKey); }
    FakeStation(const FakeStation&) = delete;
    FakeStation& operator=(const FakeStation&) = delete;
};
