// The default error box, titled with the application title.
#include "ErrorDisplay.h"

#include <windows.h>

#include "AppTitle.h"
#include "ModalWindow.h"

void ShowDefaultError(const std::string& message) {
    MessageBoxA(MessageBoxOwner(GetActiveWindow()), DefaultErrorText(message).c_str(),
                ApplicationTitle().c_str(), MB_OK | MB_ICONERROR);
}
