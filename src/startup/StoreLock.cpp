// Opening a store's lock file for this process alone, in short steps while another process has it.
#include "startup/StoreLock.h"

#include <map>
#include <vector>

#include "startup/TextFiles.h"

namespace {

constexpr std::chrono::milliseconds kPollStep{15};

// Per thread: how deep each store's lock is taken, and what waits for the last release.
struct HeldLocks {
    std::map<std::string, int> depth;
    std::vector<std::function<void()>> after;
};
thread_local HeldLocks held;

std::string KeyOf(const std::string& path) {
    std::string key = path;
    CharUpperBuffA(key.data(), static_cast<DWORD>(key.size()));
    return key;
}

// The lock file open without sharing, or an empty handle while another has it open. The file is never
// deleted, so access denied is for good (a read-only folder).
UniqueFile TryLock(const std::string& path) {
    UniqueFile file(
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    const DWORD code = GetLastError();
    if (!file && code != ERROR_SHARING_VIOLATION)
        throw EFileError("Cannot open file \"" + path + "\". " + SystemMessage(code));
    return file;
}

UniqueFile WaitForLock(const std::string& storePath, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (UniqueFile file = TryLock(storePath + ".lock"))
            return file;
        if (std::chrono::steady_clock::now() >= deadline)
            throw EStoreBusy(StoreBusyText(storePath));
        Sleep(static_cast<DWORD>(kPollStep.count()));
    }
}

void RunAfterWork() {
    std::vector<std::function<void()>> work;
    work.swap(held.after);
    for (const std::function<void()>& step : work)
        step();
}

}  // namespace

std::string StoreBusyText(const std::string& storePath) {
    return "Another Tellurin is changing \"" + storePath + "\". Nothing was changed; try again in a moment";
}

StoreLock::StoreLock(const std::string& storePath, std::chrono::milliseconds wait) : key_(KeyOf(storePath)) {
    if (held.depth[key_]++ > 0)
        return;
    try {
        file_ = WaitForLock(storePath, wait);
    } catch (...) {
        held.depth.erase(key_);
        throw;
    }
}

StoreLock::~StoreLock() {
    if (--held.depth[key_] > 0)
        return;
    held.depth.erase(key_);
    file_.reset();
    if (held.depth.empty())
        RunAfterWork();
}

void AfterStoreLocks(std::function<void()> work) {
    if (held.depth.empty())
        work();
    else
        held.after.push_back(std::move(work));
}
