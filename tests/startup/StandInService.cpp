// A Win32 service that does nothing but run until it is told to stop: the Remote Registry stand-in that the
// Wine test registers, since Wine installs no RemoteRegistry service. A number of milliseconds on its command
// line keeps it starting that long, so that a run can be killed while it waits.
#include <windows.h>

#include <cstdlib>

namespace {

SERVICE_STATUS_HANDLE statusHandle = nullptr;
HANDLE stopped = nullptr;
DWORD startingFor = 0;

void Report(DWORD state) {
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    status.dwWaitHint = state == SERVICE_START_PENDING ? startingFor + 1000 : 0;
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
    if (startingFor > 0) {
        Report(SERVICE_START_PENDING);
        Sleep(startingFor);
    }
    Report(SERVICE_RUNNING);
    WaitForSingleObject(stopped, INFINITE);
    Report(SERVICE_STOPPED);
}

}  // namespace

int main(int argc, char** argv) {
    startingFor = argc > 1 ? static_cast<DWORD>(atoi(argv[1])) : 0;
    stopped = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    char name[] = "RemoteRegistry";
    const SERVICE_TABLE_ENTRYA table[] = {{name, ServiceMain}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
