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
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

// InvalidateRect from this thread only queues a repaint for the window's own thread; it never waits on it,
// so joining from that thread cannot deadlock.
void ScrollTicker::Run(HWND window, int intervalMs) {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!wake_.wait_for(lock, std::chrono::milliseconds(intervalMs), [this] { return stopping_; })) {
        ++steps_;
        InvalidateRect(window, nullptr, FALSE);
    }
}
