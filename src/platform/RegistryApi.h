// The advapi32 registry calls that TRegistry makes, as a table so that tests can fail chosen calls.
#pragma once

#include <windows.h>

struct RegistryApi {
    decltype(&RegOpenKeyExA) openKeyEx;
    decltype(&RegCreateKeyExA) createKeyEx;
    decltype(&RegCloseKey) closeKey;
    decltype(&RegConnectRegistryA) connectRegistry;
    decltype(&RegQueryValueExA) queryValueEx;
    decltype(&RegSetValueExA) setValueEx;
    decltype(&RegDeleteValueA) deleteValue;
    decltype(&RegQueryInfoKeyA) queryInfoKey;
    decltype(&RegEnumValueA) enumValue;
    // Listed last with the real function as its default, so that tables written before it still build.
    decltype(&RegEnumKeyExA) enumKeyEx = RegEnumKeyExA;
};

// The real functions of advapi32.
const RegistryApi& RealRegistryApi();
