// The advapi32 service-manager calls that the Remote Registry sequence makes, as a table so that tests can
// stand in for another computer's service manager.
#pragma once

#include <windows.h>

#include "UniqueHandle.h"

struct ServiceApi {
    decltype(&OpenSCManagerA) openSCManager;
    decltype(&OpenServiceA) openService;
    decltype(&QueryServiceStatusEx) queryServiceStatusEx;
    decltype(&QueryServiceConfigA) queryServiceConfig;
    decltype(&ChangeServiceConfigA) changeServiceConfig;
    decltype(&StartServiceA) startService;
    decltype(&ControlService) controlService;
    decltype(&CloseServiceHandle) closeServiceHandle;
};

// The real functions of advapi32.
const ServiceApi& RealServiceApi();

// A service manager's or a service's handle, closed through the table it was opened with.
struct ServiceHandleTraits {
    using Handle = SC_HANDLE;
    const ServiceApi* api = &RealServiceApi();
    static Handle Empty() noexcept { return nullptr; }
    void Close(Handle handle) const noexcept { api->closeServiceHandle(handle); }
};
using UniqueService = UniqueHandle<ServiceHandleTraits>;
