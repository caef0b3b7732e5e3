// The production registry table: straight to advapi32.
#include "RegistryApi.h"

const RegistryApi& RealRegistryApi() {
    static const RegistryApi api{RegOpenKeyExA,    RegCreateKeyExA, RegCloseKey,     RegConnectRegistryA,
                                 RegQueryValueExA, RegSetValueExA,  RegDeleteValueA, RegQueryInfoKeyA,
                                 RegEnumValueA,    RegEnumKeyExA};
    return api;
}
