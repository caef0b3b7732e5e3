// Opening a store's lock file for this holder alone, in short steps while another has it.
#include "StoreLock.h"

#include "SystemMessage.h"

namespace {

constexpr std::chrono::milliseconds kPollStep{15};
// Opens refused while no lock file is there: the folder refuses new files, unless a file being deleted
// went between the open and the look at it, which does not happen this often in a row.
constexpr int kRefusedWithoutFile = 3;

enum class Attempt { Held, Busy, Gone };

[[noreturn]] void ThrowRefused(const char* what, const std::string& path, DWORD code) {
    throw EFileError(std::string(what) + " \"" + path + "\". " + SystemMessage(code));
}

// Why an open was refused: a lock file whose last handle just closed is being deleted (Windows refuses
// opens of it until then, and a scanner that has it open prolongs that), which is a lock about to be
// free; a folder or a read-only file of that name is for good; no file means it was deleted meanwhile,
// or that the folder refuses new files.
Attempt RefusedBecause(const std::string& path, const LockFileApi& api) {
    const DWORD attributes = api.fileAttributes(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? Attempt::Gone : Attempt::Busy;
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))
        ThrowRefused("Cannot open file", path, ERROR_ACCESS_DENIED);
    return Attempt::Busy;
}

// The lock file open without sharing, deleted by the system when its handle closes, also when its
// holder is killed: a lock nobody holds leaves no file.
Attempt TryLock(const std::string& path, const LockFileApi& api, UniqueFile& file) {
    file.reset(api.createFile(path.c_str(), DELETE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (file)
        return Attempt::Held;
    const DWORD code = GetLastError();
    if (code == ERROR_SHARING_VIOLATION)
        return Attempt::Busy;
    if (code == ERROR_ACCESS_DENIED)
        return RefusedBecause(path, api);
    ThrowRefused("Cannot open file", path, code);
}

}  // namespace

std::string StoreBusyText(const std::string& storePath) {
    return "Another Tellurin is changing \"" + storePath + "\". Nothing was changed; try again in a moment";
}

StoreLock::StoreLock(const std::string& storePath, std::chrono::milliseconds wait, const LockFileApi& api) {
    const std::string path = storePath + ".lock";
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (int refusedWithoutFile = 0;;) {
        const Attempt attempt = TryLock(path, api, file_);
        if (attempt == Attempt::Held)
            return;
        if (attempt == Attempt::Gone) {
            if (++refusedWithoutFile == kRefusedWithoutFile)
                ThrowRefused("Cannot create file", path, ERROR_ACCESS_DENIED);
            continue;  // deleted meanwhile: free now
        }
        refusedWithoutFile = 0;
        if (std::chrono::steady_clock::now() >= deadline)
            throw EStoreBusy(StoreBusyText(storePath));
        Sleep(static_cast<DWORD>(kPollStep.count()));
    }
}
