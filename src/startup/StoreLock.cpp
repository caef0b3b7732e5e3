// Opening a store's lock file for this holder alone, in short steps while another has it.
#include "StoreLock.h"

#include "SystemMessage.h"

namespace {

constexpr std::chrono::milliseconds kPollStep{15};

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

}  // namespace

std::string StoreBusyText(const std::string& storePath) {
    return "Another Tellurin is changing \"" + storePath + "\". Nothing was changed; try again in a moment";
}

StoreLock::StoreLock(const std::string& storePath, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        file_ = TryLock(storePath + ".lock");
        if (file_)
            return;
        if (std::chrono::steady_clock::now() >= deadline)
            throw EStoreBusy(StoreBusyText(storePath));
        Sleep(static_cast<DWORD>(kPollStep.count()));
    }
}
