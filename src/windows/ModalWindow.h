// Shows a window modally over its owner, and tells which window owns the boxes raised meanwhile.
#pragma once

#include <windows.h>

// Disables the owner, shows the window and dispatches messages until the window is hidden or
// destroyed (or WM_QUIT arrives, which is posted again); then enables and activates the owner.
void ShowModal(HWND window, HWND owner);

// The owner for a message box: the innermost window that ShowModal is showing, otherwise the given
// window. A box enables its owner again as it closes, so a box owned by the main window would undo
// the modal window's disabling of it.
HWND MessageBoxOwner(HWND otherwise);
