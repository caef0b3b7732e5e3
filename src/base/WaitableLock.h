// A lock with a condition to wait on for a limited time, on the system's own primitives: the thread
// library's timed waits can fail to time out under load (a deadline already past is waited for ever).
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>

class WaitableLock {
public:
    WaitableLock() = default;
    WaitableLock(const WaitableLock&) = delete;
    WaitableLock& operator=(const WaitableLock&) = delete;

    // For std::lock_guard and std::unique_lock.
    void lock() { AcquireSRWLockExclusive(&lock_); }
    void unlock() { ReleaseSRWLockExclusive(&lock_); }

    // With the lock held: lets it go until NotifyAll or the timeout, then holds it again. A caller
    // checks what it waits for afterwards, as a wake-up may come without cause.
    void WaitFor(std::chrono::milliseconds timeout) {
        const auto ms = std::clamp<long long>(timeout.count(), 0, INFINITE - 1);
        SleepConditionVariableSRW(&changed_, &lock_, static_cast<DWORD>(ms), 0);
    }
    template <typename Clock, typename Duration>
    void WaitUntil(std::chrono::time_point<Clock, Duration> deadline) {
        WaitFor(std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()));
    }
    void NotifyAll() { WakeAllConditionVariable(&changed_); }

private:
    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE changed_ = CONDITION_VARIABLE_INIT;
};
