// The pacing thread of the scrolling text.
#include "ScrollTicker.h"

#include <chrono>
#include <system_error>

bool ScrollTicker::Start(HWND window, int intervalMs) {
    Stop();
    stopping_ = false;
    try {
        thread_ = std::thread(&ScrollTicker::Run, this, window, intervalMs);
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void ScrollTicker::Stop() {
    if (!thread_.joinable())
        return;
    {
        std::lock_guard lock(lock_);
        stopping_ = true;
        lock_.NotifyAll();
    }
    thread_.join();
}

// InvalidateRect from this thread only queues a repaint for the window's own thread; it never waits on it,
// so joining from that thread cannot deadlock.
void ScrollTicker::Run(HWND window, int intervalMs) {
    std::lock_guard lock(lock_);
    auto next = std::chrono::steady_clock::now() + std::chrono::milliseconds(intervalMs);
    while (!stopping_) {
        lock_.WaitUntil(next);
        if (stopping_ || std::chrono::steady_clock::now() < next)
            continue;  // stopped, or woken early
        ++steps_;
        InvalidateRect(window, nullptr, FALSE);
        next += std::chrono::milliseconds(intervalMs);
    }
}
