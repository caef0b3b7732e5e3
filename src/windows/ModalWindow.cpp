// A nested message loop that lasts while the modal window is visible; that window owns boxes meanwhile.
#include "ModalWindow.h"

namespace {

HWND shownModalWindow = nullptr;

// Makes a window the shown modal one for a scope, and the one it covered again afterwards.
class ShownModal {
public:
    explicit ShownModal(HWND window) : outer_(shownModalWindow) { shownModalWindow = window; }
    ~ShownModal() { shownModalWindow = outer_; }
    ShownModal(const ShownModal&) = delete;
    ShownModal& operator=(const ShownModal&) = delete;

private:
    HWND outer_;
};

}  // namespace

HWND MessageBoxOwner(HWND otherwise) {
    return shownModalWindow && IsWindowVisible(shownModalWindow) ? shownModalWindow : otherwise;
}

void ShowModal(HWND window, HWND owner) {
    const ShownModal shown(window);
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
