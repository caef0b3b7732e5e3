// The fake service managers: a handle names its station, a pending state settles at the next query.
#include "support/FakeServiceApi.h"

#include <mutex>

namespace {

std::recursive_mutex& Lock() {
    static std::recursive_mutex mutex;  // the probe asks from a thread of its own
    return mutex;
}

struct FakeHandle {
    std::string station;
};

FakeService* ServiceOf(SC_HANDLE handle) {
    auto found = ServiceFakesNow().stations.find(reinterpret_cast<FakeHandle*>(handle)->station);
    return found == ServiceFakesNow().stations.end() ? nullptr : &found->second;
}

SC_HANDLE Handed(const std::string& station) {
    ++ServiceFakesNow().openHandles;
    return reinterpret_cast<SC_HANDLE>(new FakeHandle{station});
}

BOOL Refused(DWORD code) {
    SetLastError(code);
    return FALSE;
}

SC_HANDLE RefusedHandle(DWORD code) {
    SetLastError(code);
    return nullptr;
}

// A change is recorded after the test has looked at the world as it is before it.
void Change(SC_HANDLE handle, const std::string& what) {
    if (ServiceFakesNow().beforeChange)
        ServiceFakesNow().beforeChange();
    ServiceFakesNow().changes.push_back(reinterpret_cast<FakeHandle*>(handle)->station + " " + what);
}

SC_HANDLE WINAPI OpenManager(LPCSTR machine, LPCSTR, DWORD) {
    std::lock_guard lock(Lock());
    const std::string station = std::string(machine).substr(2);
    auto found = ServiceFakesNow().stations.find(station);
    if (found == ServiceFakesNow().stations.end())
        return RefusedHandle(ERROR_BAD_NETPATH);
    if (found->second.managerError != ERROR_SUCCESS)
        return RefusedHandle(found->second.managerError);
    return Handed(station);
}

SC_HANDLE WINAPI OpenFakeService(SC_HANDLE manager, LPCSTR name, DWORD) {
    std::lock_guard lock(Lock());
    FakeService* service = ServiceOf(manager);
    if (std::string(name) != "RemoteRegistry")
        return RefusedHandle(ERROR_SERVICE_DOES_NOT_EXIST);
    if (service->openError != ERROR_SUCCESS)
        return RefusedHandle(service->openError);
    return Handed(reinterpret_cast<FakeHandle*>(manager)->station);
}

BOOL WINAPI QueryStatus(SC_HANDLE handle, SC_STATUS_TYPE, LPBYTE buffer, DWORD size, LPDWORD needed) {
    std::lock_guard lock(Lock());
    FakeService* service = ServiceOf(handle);
    *needed = sizeof(SERVICE_STATUS_PROCESS);
    if (size < *needed)
        return Refused(ERROR_INSUFFICIENT_BUFFER);
    if (service->state == SERVICE_START_PENDING && !service->neverStarts)
        service->state = SERVICE_RUNNING;
    else if (service->state == SERVICE_STOP_PENDING)
        service->state = SERVICE_STOPPED;
    SERVICE_STATUS_PROCESS status{};
    status.dwCurrentState = service->state;
    memcpy(buffer, &status, sizeof status);
    return TRUE;
}

BOOL WINAPI QueryConfig(SC_HANDLE handle, LPQUERY_SERVICE_CONFIGA config, DWORD size, LPDWORD needed) {
    std::lock_guard lock(Lock());
    *needed = sizeof(QUERY_SERVICE_CONFIGA) + 64;  // the strings follow the structure
    if (size < *needed)
        return Refused(ERROR_INSUFFICIENT_BUFFER);
    *config = QUERY_SERVICE_CONFIGA{};
    config->dwStartType = ServiceOf(handle)->startType;
    return TRUE;
}

BOOL WINAPI ChangeConfig(SC_HANDLE handle,
                         DWORD,
                         DWORD startType,
                         DWORD,
                         LPCSTR,
                         LPCSTR,
                         LPDWORD,
                         LPCSTR,
                         LPCSTR,
                         LPCSTR,
                         LPCSTR) {
    std::lock_guard lock(Lock());
    Change(handle, "start type " + std::to_string(startType));
    ServiceOf(handle)->startType = startType;
    return TRUE;
}

BOOL WINAPI Start(SC_HANDLE handle, DWORD, LPCSTR*) {
    std::lock_guard lock(Lock());
    FakeService* service = ServiceOf(handle);
    if (service->startError != ERROR_SUCCESS)
        return Refused(service->startError);
    if (service->startType == SERVICE_DISABLED)
        return Refused(ERROR_SERVICE_DISABLED);
    if (service->state != SERVICE_STOPPED)
        return Refused(ERROR_SERVICE_ALREADY_RUNNING);
    Change(handle, "start");
    service->state = SERVICE_START_PENDING;
    return TRUE;
}

BOOL WINAPI Control(SC_HANDLE handle, DWORD, LPSERVICE_STATUS) {
    std::lock_guard lock(Lock());
    FakeService* service = ServiceOf(handle);
    if (service->stopError != ERROR_SUCCESS)
        return Refused(service->stopError);
    if (service->state == SERVICE_START_PENDING)
        return Refused(ERROR_SERVICE_CANNOT_ACCEPT_CTRL);
    if (service->state == SERVICE_STOPPED)
        return Refused(ERROR_SERVICE_NOT_ACTIVE);
    Change(handle, "stop");
    service->state = SERVICE_STOP_PENDING;
    return TRUE;
}

LONG WINAPI Connect(LPCSTR machine, HKEY root, PHKEY result) {
    std::lock_guard lock(Lock());
    const std::string station = std::string(machine).substr(2);
    auto found = ServiceFakesNow().stations.find(station);
    auto refusal = ServiceFakesNow().registryRefusals.find(station);
    if (refusal != ServiceFakesNow().registryRefusals.end())
        return refusal->second;
    if (found == ServiceFakesNow().stations.end() || found->second.state != SERVICE_RUNNING)
        return ERROR_BAD_NETPATH;
    const std::string key =
        std::string(kFakeStationsKey) + "\\" + station + (root == HKEY_USERS ? "\\HKU" : "\\HKLM");
    return RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, result,
                           nullptr);
}

BOOL WINAPI Close(SC_HANDLE handle) {
    std::lock_guard lock(Lock());
    --ServiceFakesNow().openHandles;
    delete reinterpret_cast<FakeHandle*>(handle);
    return TRUE;
}

}  // namespace

ServiceFakes& ServiceFakesNow() {
    static ServiceFakes fakes;
    return fakes;
}

const RegistryApi& RegistryBehindFakeServices() {
    static const RegistryApi api = [] {
        RegistryApi behind = RealRegistryApi();
        behind.connectRegistry = Connect;
        return behind;
    }();
    return api;
}

const ServiceApi& FakeServiceApi() {
    static const ServiceApi api{OpenManager,  OpenFakeService, QueryStatus, QueryConfig,
                                ChangeConfig, Start,           Control,     Close};
    return api;
}
