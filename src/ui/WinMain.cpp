// Program entry: safe DLL search, COM for the main thread, the application title, the message loop.
#include <windows.h>
#include <objbase.h>

#include "ui/AppTitle.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before anything else loads: only the system folder may supply DLLs.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (FAILED(CoInitialize(nullptr))) return 1;
    SetApplicationTitle("Tellurin");

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    CoUninitialize();
    return 0;
}
