// Polls the process's top-level windows for dialog boxes and dismisses them with one button's command.
#include "support/DialogWatcher.h"

#include <algorithm>

namespace {

// The static control that holds a message box's text.
constexpr int kMessageTextId = 0xFFFF;

std::string WindowText(HWND window) {
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

}  // namespace

DialogWatcher::DialogWatcher(int answer) : answer_(answer), thread_([this] { Watch(); }) {}

DialogWatcher::~DialogWatcher() {
    stop_ = true;
    thread_.join();
}

std::vector<SeenDialog> DialogWatcher::Seen() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

void DialogWatcher::Watch() {
    while (!stop_) {
        {
            // Forget closed dialogs, so that a reused handle is answered again.
            std::lock_guard<std::mutex> lock(mutex_);
            std::erase_if(answered_, [](HWND window) { return !IsWindow(window); });
        }
        EnumWindows(CloseIfDialog, reinterpret_cast<LPARAM>(this));
        Sleep(15);
    }
}

BOOL CALLBACK DialogWatcher::CloseIfDialog(HWND window, LPARAM self) {
    auto* watcher = reinterpret_cast<DialogWatcher*>(self);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (process != GetCurrentProcessId() || std::string(className) != "#32770" || !IsWindowVisible(window))
        return TRUE;
    {
        std::lock_guard<std::mutex> lock(watcher->mutex_);
        if (std::find(watcher->answered_.begin(), watcher->answered_.end(), window) !=
            watcher->answered_.end())
            return TRUE;
        watcher->answered_.push_back(window);
        HWND text = GetDlgItem(window, kMessageTextId);
        watcher->seen_.push_back({WindowText(window), text ? WindowText(text) : std::string()});
    }
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(watcher->answer_, BN_CLICKED), 0);
    return TRUE;
}
