// The store's lock as nothing, linked only into the benchmark's twin that times the same disable
// without it.
#include "StoreLock.h"

StoreLock::StoreLock(const std::string&, std::chrono::milliseconds, const LockFileApi&) {}

std::string StoreBusyText(const std::string& storePath) {
    return storePath;
}
