// The lock of one DisabledStore between processes: a file beside the store, open in one process at a time.
#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "platform/Errors.h"
#include "platform/UniqueHandle.h"

// Another process held the store's lock for the whole wait.
class EStoreBusy : public Exception {
public:
    using Exception::Exception;
};

inline constexpr std::chrono::milliseconds kStoreLockWait{10000};

// Held from construction to destruction: the lock file is open without sharing. The system closes the
// handles of a holder that is killed, so it blocks nobody; the file itself stays and means nothing. A thread
// that already holds the store's lock takes it again at no cost, so an operation may run inside a wider one.
class StoreLock {
public:
    // Waits up to wait while another holds it, then raises EStoreBusy naming the store; a lock file
    // that cannot be opened raises EFileError.
    explicit StoreLock(const std::string& storePath, std::chrono::milliseconds wait = kStoreLockWait);
    ~StoreLock();
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

private:
    std::string key_;
    UniqueFile file_;
};

// "Another Tellurin is changing ..." for the store at storePath.
std::string StoreBusyText(const std::string& storePath);

// Runs work now when this thread holds no store lock, else once its last one is released: a message box
// must not keep other processes waiting for as long as it stays open. The work must not raise.
void AfterStoreLocks(std::function<void()> work);
