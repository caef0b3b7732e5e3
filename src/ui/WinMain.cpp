// Program entry: safe DLL search, COM for the main thread, the three windows, the message loop.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "startup/ComApartment.h"
#include "station/TForm2.h"
#include "ui/AppTitle.h"
#include "ui/TAboutBox.h"
#include "ui/TForm1.h"
#include "widgets/WidgetClasses.h"

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
    ComApartment com;  // the shell-link work relies on it; released after the windows
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterWidgetClasses(instance);
    SetApplicationTitle("Tellurin");

    TForm1 form1({}, StationArgument());
    TAboutBox aboutBox(form1.Handle());
    TForm2 form2({form1.Handle(), &form1, [&] { return form1.GetLocalComputerName(); },
                  [&] { aboutBox.ShowModal(); }});
    form1.SetModalWindows([&] { aboutBox.ShowModal(); }, [&] { form2.ShowModal(); });
    form1.Show();
    return RunMessageLoop(form1.Handle());
}
