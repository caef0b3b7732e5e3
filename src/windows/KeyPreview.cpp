// A WH_GETMESSAGE hook of the UI thread that turns F5 for the main window into kKeyPreviewMessage.
#include "KeyPreview.h"

namespace {

HHOOK g_hook = nullptr;
HWND g_window = nullptr;

LRESULT CALLBACK WatchMessages(int code, WPARAM removal, LPARAM data) {
    auto* message = reinterpret_cast<MSG*>(data);
    if (code == HC_ACTION && removal == PM_REMOVE && g_window &&
        (message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN) && message->wParam == VK_F5 &&
        (message->hwnd == g_window || IsChild(g_window, message->hwnd))) {
        PostMessageA(g_window, kKeyPreviewMessage, message->wParam, 0);
        message->message = WM_NULL;  // the focused control does not see it
    }
    return CallNextHookEx(g_hook, code, removal, data);
}

}  // namespace

void StartKeyPreview(HWND window) {
    g_window = window;
    if (!g_hook)
        g_hook = SetWindowsHookExA(WH_GETMESSAGE, WatchMessages, nullptr, GetCurrentThreadId());
}

void StopKeyPreview(HWND window) {
    if (g_window != window)
        return;
    g_window = nullptr;
    if (g_hook)
        UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
}
