// The production service-manager table: straight to advapi32.
#include "ServiceApi.h"

const ServiceApi& RealServiceApi() {
    static const ServiceApi api{OpenSCManagerA,      OpenServiceA,         QueryServiceStatusEx,
                                QueryServiceConfigA, ChangeServiceConfigA, StartServiceA,
                                ControlService,      CloseServiceHandle};
    return api;
}
