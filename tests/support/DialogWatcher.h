// Answers the message boxes that the code under test shows, and records what they said.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct SeenDialog {
    std::string title;
    std::string text;
};

// While alive, a thread presses OK (or the button answer names) on every dialog box of this process and
// records it.
class DialogWatcher {
public:
    explicit DialogWatcher(int answer = IDOK);
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    std::vector<SeenDialog> Seen() const;

private:
    void Watch();
    static BOOL CALLBACK CloseIfDialog(HWND window, LPARAM self);

    mutable std::mutex mutex_;
    std::vector<SeenDialog> seen_;
    std::vector<HWND> answered_;
    int answer_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
