// A nested message loop that lasts while the modal window is visible.
#include "ui/ModalWindow.h"

void ShowModal(HWND window, HWND owner) {
    const bool ownerWasEnabled = owner && !EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    MSG message;
    while (IsWindow(window) && IsWindowVisible(window)) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // the outer loop must see it too
            break;
        }
        if (got < 0)
            break;
        if (IsDialogMessageA(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (owner) {
        if (ownerWasEnabled)
            EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
}
