// tellurinc.exe: the console front end of the startup logic, for scripts and fleets of stations.
#include <windows.h>

#include "cli/ConsoleStreams.h"
#include "cli/Tellurinc.h"
#include "platform/TExeInfo.h"
#include "startup/DisabledStore.h"

int main() {
    // Before anything else loads: only the system folder may supply DLLs.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    const TExeInfo info;
    LocalMachine local{info.ComputerName(), AppDirOf(OwnExecutablePath())};
    CliEnvironment environment{[](const std::string& text) { WriteUtf8(STD_OUTPUT_HANDLE, text); },
                               [](const std::string& text) { WriteUtf8(STD_ERROR_HANDLE, text); },
                               IsConsole(STD_ERROR_HANDLE),
                               info.FileVersion,
                               local.computerName,
                               [local](const CliCommand& command, const std::string& station) {
                                   return WorkStation(command, station, local);
                               }};
    const CliOutcome outcome = RunTellurinc(ProcessArguments(), environment);
    if (outcome.threadsLeft)
        ExitProcess(
            static_cast<UINT>(outcome.exitStatus));  // ends the threads of stations that never answered
    return outcome.exitStatus;
}
