// Shows a window modally over its owner, as the program's dialogs are shown.
#pragma once

#include <windows.h>

// Disables the owner, shows the window and dispatches messages until the window is hidden or
// destroyed (or WM_QUIT arrives, which is posted again); then enables and activates the owner.
void ShowModal(HWND window, HWND owner);
