// Program entry: safe DLL search, COM, the station's Remote Registry, the three windows, the message loop.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>
#include <cstdlib>
#include <string>

#include "ComApartment.h"
#include "StationName.h"
#include "ComputerInfoWindow.h"
#include "AppTitle.h"
#include "ErrorDisplay.h"
#include "AboutWindow.h"
#include "MainWindow.h"
#include "RemoteRegistryPrompt.h"
#include "DisabledStore.h"
#include "TExeInfo.h"
#include "WidgetClasses.h"

namespace {

int RunMessageLoop(HWND mainWindow) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsWindow(mainWindow) && IsDialogMessageA(mainWindow, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

// The name after "/station" on the command line: the computer the main window works on.
std::string StationArgument() {
    for (int i = 1; i + 1 < __argc; ++i)
        if (lstrcmpiA(__argv[i], "/station") == 0)
            return __argv[i + 1];
    return {};
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Before anything else loads: only the system folder may supply DLLs.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // The shell-link work relies on COM, begun once the window is shown (ole32 and what it brings are
    // not on the way to the first paint) and released after the windows.
    std::optional<ComApartment> com;
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterWidgetClasses(instance);
    SetApplicationTitle("Tellurin");

    // A name that is no computer's must reach neither the network nor a store's file name.
    const std::string station = StationArgument();
    if (!station.empty() && !IsStationName(station)) {
        ShowDefaultError(NotAStationNameText(station));
        return 2;
    }
    // The journal is beside the program, with the DisabledStores; a service started for the window is put
    // back when it closes, and by the next start if the program was killed.
    RemoteRegistryJournal journal(RemoteRegistryJournalPath(AppDirOf(OwnExecutablePath())));
    std::unique_ptr<RemoteRegistryLease> remoteRegistry = PrepareStationRegistry(station, journal);
    MainWindow form1({}, station);
    // The About and Computer Information windows are made when first shown: until then they are
    // hidden and nothing of theirs can be seen, and the Computer Information window's timer only
    // acts on a command that its showing sets. The main window paints sooner for it.
    std::unique_ptr<AboutWindow> aboutBox;
    std::unique_ptr<ComputerInfoWindow> form2;
    auto showAbout = [&] {
        if (!aboutBox)
            aboutBox = std::make_unique<AboutWindow>(form1.Handle());
        aboutBox->ShowModal();
    };
    auto showComputerInfo = [&] {
        if (!form2)
            form2 = std::make_unique<ComputerInfoWindow>(ComputerInfoWindow::Links{
                form1.Handle(), &form1, [&] { return form1.GetLocalComputerName(); }, showAbout});
        form2->ShowModal();
    };
    form1.SetModalWindows(showAbout, showComputerInfo);
    form1.Show();
    com.emplace();
    const int status = RunMessageLoop(form1.Handle());
    RestoreStationRegistry(std::move(remoteRegistry));
    return status;
}
