// A Win32 service that does nothing but run until it is told to stop: the Remote Registry stand-in that the
// Wine test registers, since Wine installs no RemoteRegistry service.
#include <windows.h>

namespace {

SERVICE_STATUS_HANDLE statusHandle = nullptr;
HANDLE stopped = nullptr;

void Report(DWORD state) {
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    SetServiceStatus(statusHandle, &status);
}

DWORD WINAPI Control(DWORD control, DWORD, void*, void*) {
    if (control == SERVICE_CONTROL_STOP) {
        Report(SERVICE_STOP_PENDING);
        SetEvent(stopped);
        return NO_ERROR;
    }
    return control == SERVICE_CONTROL_INTERROGATE ? NO_ERROR : ERROR_CALL_NOT_IMPLEMENTED;
}

void WINAPI ServiceMain(DWORD, char**) {
    statusHandle = RegisterServiceCtrlHandlerExA("RemoteRegistry", Control, nullptr);
    if (statusHandle == nullptr)
        return;
    Report(SERVICE_RUNNING);
    WaitForSingleObject(stopped, INFINITE);
    Report(SERVICE_STOPPED);
}

}  // namespace

int main() {
    stopped = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    char name[] = "RemoteRegistry";
    const SERVICE_TABLE_ENTRYA table[] = {{name, ServiceMain}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
