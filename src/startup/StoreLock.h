// The lock of one DisabledStore between processes: a file beside the store, open in one place at a time.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>

#include "Errors.h"
#include "UniqueHandle.h"

// Another process held the store's lock for the whole wait.
class EStoreBusy : public Exception {
public:
    using Exception::Exception;
};

inline constexpr std::chrono::milliseconds kStoreLockWait{10000};

// The kernel32 calls the lock makes, as a table so that tests can stage what Wine does not: an open
// refused because the file is still being deleted, a folder that refuses new files.
struct LockFileApi {
    decltype(&CreateFileA) createFile = CreateFileA;
    decltype(&GetFileAttributesA) fileAttributes = GetFileAttributesA;
};

// Held from construction to destruction: the lock file is open without sharing and deleted with its
// handle. The system closes the handles of a holder that is killed, so it blocks nobody and leaves no
// file; a lock file still being deleted counts as held.
// Not taken twice on one thread: the operations that change a store take it once, around their
// whole change, and show nothing while they hold it.
class StoreLock {
public:
    // Waits up to wait while another holds it, then raises EStoreBusy naming the store; a lock file
    // that cannot be opened or created (a folder that refuses, a read-only file) raises EFileError.
    explicit StoreLock(const std::string& storePath,
                       std::chrono::milliseconds wait = kStoreLockWait,
                       const LockFileApi& api = {});

private:
    UniqueFile file_;
};

// "Another Tellurin is changing ..." for the store at storePath.
std::string StoreBusyText(const std::string& storePath);
