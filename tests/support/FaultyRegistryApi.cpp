// Wrappers over advapi32 that consult the fault plan first.
#include "support/FaultyRegistryApi.h"

namespace {

bool ShouldFail(RegCall call, const char* name) {
    RegistryFaults& faults = Faults();
    ++faults.calls[call];
    const std::string text = name ? name : "";
    for (const auto& rule : faults.rules)
        if (rule.call == call && (rule.containing.empty() || text.find(rule.containing) != std::string::npos))
            return true;
    return false;
}

LONG WINAPI OpenKey(HKEY key, LPCSTR path, DWORD options, REGSAM access, PHKEY result) {
    Faults().opened.push_back(path ? path : "");
    Faults().openMasks.push_back(access);
    if (ShouldFail(RegCall::OpenKey, path))
        return Faults().failResult;
    return RegOpenKeyExA(key, path, options, access, result);
}

LONG WINAPI CreateKey(HKEY key,
                      LPCSTR path,
                      DWORD reserved,
                      LPSTR cls,
                      DWORD options,
                      REGSAM access,
                      const LPSECURITY_ATTRIBUTES security,
                      PHKEY result,
                      LPDWORD disposition) {
    Faults().opened.push_back(path ? path : "");
    Faults().openMasks.push_back(access);
    if (ShouldFail(RegCall::CreateKey, path))
        return Faults().failResult;
    return RegCreateKeyExA(key, path, reserved, cls, options, access, security, result, disposition);
}

LONG WINAPI CloseKey(HKEY key) {
    Faults().closed.push_back(key);
    ShouldFail(RegCall::CloseKey, nullptr);
    return RegCloseKey(key);
}

LONG WINAPI Connect(LPCSTR machine, HKEY key, PHKEY result) {
    Faults().connected.push_back(key);
    if (ShouldFail(RegCall::Connect, machine))
        return Faults().failResult;
    return RegConnectRegistryA(machine, key, result);
}

LONG WINAPI QueryValue(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size) {
    if (ShouldFail(RegCall::QueryValue, name))
        return Faults().failResult;
    return RegQueryValueExA(key, name, reserved, type, data, size);
}

LONG WINAPI SetValue(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
    if (ShouldFail(RegCall::SetValue, name))
        return Faults().failResult;
    return RegSetValueExA(key, name, reserved, type, data, size);
}

LONG WINAPI DeleteValue(HKEY key, LPCSTR name) {
    if (ShouldFail(RegCall::DeleteValue, name))
        return Faults().failResult;
    return RegDeleteValueA(key, name);
}

LONG WINAPI QueryInfoKey(HKEY key,
                         LPSTR cls,
                         LPDWORD classLength,
                         LPDWORD reserved,
                         LPDWORD subKeys,
                         LPDWORD maxSubKey,
                         LPDWORD maxClass,
                         LPDWORD values,
                         LPDWORD maxValueName,
                         LPDWORD maxValueData,
                         LPDWORD security,
                         PFILETIME lastWrite) {
    if (ShouldFail(RegCall::QueryInfoKey, nullptr))
        return Faults().failResult;
    return RegQueryInfoKeyA(key, cls, classLength, reserved, subKeys, maxSubKey, maxClass, values,
                            maxValueName, maxValueData, security, lastWrite);
}

LONG WINAPI EnumValue(HKEY key,
                      DWORD index,
                      LPSTR name,
                      LPDWORD nameLength,
                      LPDWORD reserved,
                      LPDWORD type,
                      LPBYTE data,
                      LPDWORD dataSize) {
    if (ShouldFail(RegCall::EnumValue, nullptr))
        return Faults().failResult;
    return RegEnumValueA(key, index, name, nameLength, reserved, type, data, dataSize);
}

LONG WINAPI EnumKey(HKEY key,
                    DWORD index,
                    LPSTR name,
                    LPDWORD nameLength,
                    LPDWORD reserved,
                    LPSTR cls,
                    LPDWORD classLength,
                    PFILETIME lastWrite) {
    if (ShouldFail(RegCall::EnumKey, nullptr))
        return Faults().failResult;
    return RegEnumKeyExA(key, index, name, nameLength, reserved, cls, classLength, lastWrite);
}

}  // namespace

RegistryFaults& Faults() {
    static RegistryFaults faults;
    return faults;
}

const RegistryApi& FaultyRegistryApi() {
    static const RegistryApi api{OpenKey,  CreateKey,   CloseKey,     Connect,   QueryValue,
                                 SetValue, DeleteValue, QueryInfoKey, EnumValue, EnumKey};
    return api;
}
