// tellurinc.exe: the console front end of the startup logic, for scripts and fleets of stations.
#include <windows.h>

#include "ConsoleStreams.h"
#include "StationReach.h"
#include "Tellurinc.h"
#include "TExeInfo.h"
#include "DisabledStore.h"

// wmain: the runtime splits the UTF-16 command line, so names in any script arrive whole.
int wmain(int argc, wchar_t** argv) {
    // Before anything else loads: only the system folder may supply DLLs.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    LocalMachine local{LocalComputerName(), AppDirOf(OwnExecutablePath())};
    const RemoteRegistryTools tools{
        {}, std::make_shared<RemoteRegistryJournal>(RemoteRegistryJournalPath(local.appDir))};
    CliEnvironment environment{
        [](const std::string& text) { WriteUtf8(STD_OUTPUT_HANDLE, text); },
        [](const std::string& text) { WriteUtf8(STD_ERROR_HANDLE, text); },
        IsConsole(STD_ERROR_HANDLE),
        [] { return TExeInfo().FileVersion; },
        local.computerName,
        [local, tools](const CliCommand& command, const std::string& station) {
            return WorkReachedStation(command, station, local, tools);
        },
        [tools] { return ReplayRemoteRegistryJournal(*tools.journal, tools.services); }};
    const CliOutcome outcome = RunTellurinc(AnsiArguments(argc, argv), environment);
    if (outcome.threadsLeft)
        ExitProcess(
            static_cast<UINT>(outcome.exitStatus));  // ends the threads of stations that never answered
    return outcome.exitStatus;
}
