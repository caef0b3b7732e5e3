// The pacing thread of the scrolling text: counts steps and invalidates the window, nothing else.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "WaitableLock.h"

class ScrollTicker {
public:
    ScrollTicker() = default;
    ~ScrollTicker() { Stop(); }
    ScrollTicker(const ScrollTicker&) = delete;
    ScrollTicker& operator=(const ScrollTicker&) = delete;

    // Starts counting a step every interval and invalidating window after each; false if no thread.
    bool Start(HWND window, int intervalMs);
    // Wakes the thread and waits for it to end; the window is never touched after this returns.
    void Stop();
    bool Running() const { return thread_.joinable(); }
    long long Steps() const { return steps_.load(); }

private:
    void Run(HWND window, int intervalMs);

    std::atomic<long long> steps_{0};
    WaitableLock lock_;  // notified when stopping
    bool stopping_ = false;
    std::thread thread_;
};
