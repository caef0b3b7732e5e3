// The hive file's pages: read at their offsets through the file handle, never the whole file.
#include "HivePages.h"

#include <windows.h>

#include <algorithm>

#include "SystemMessage.h"

namespace {

constexpr uint64_t kPageSize = 4096;
// Enough for the keys a listing walks through, while a file of any size costs little memory.
constexpr size_t kCachedPages = 64;

}  // namespace

HivePages::HivePages(const std::string& path)
    : path_(path),
      file_(CreateFileA(path.c_str(),
                        GENERIC_READ,
                        FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr,
                        OPEN_EXISTING,
                        FILE_FLAG_RANDOM_ACCESS,
                        nullptr)) {
    if (!file_) {
        const DWORD code = GetLastError();
        throw EHiveError("Cannot open file \"" + path + "\". " + SystemMessage(code), code);
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file_.get(), &size)) {
        const DWORD code = GetLastError();
        throw EHiveError("Cannot read file \"" + path + "\". " + SystemMessage(code), code);
    }
    size_ = static_cast<uint64_t>(size.QuadPart);
}

void HivePages::Damaged(const std::string& what) const {
    throw EHiveError("The registry file \"" + path_ + "\" is damaged: " + what, 0);
}

std::string HivePages::Read(uint64_t offset, size_t count) {
    if (offset > size_ || count > size_ - offset)
        Damaged("it ends before the data it points to");
    std::string bytes;
    bytes.reserve(count);
    while (bytes.size() < count) {
        const uint64_t at = offset + bytes.size();
        const std::string& page = Page(at / kPageSize);
        const size_t from = static_cast<size_t>(at % kPageSize);
        bytes.append(page, from, std::min(count - bytes.size(), page.size() - from));
    }
    return bytes;
}

const std::string& HivePages::Page(uint64_t index) {
    if (const auto cached = pages_.find(index); cached != pages_.end())
        return cached->second;
    if (pages_.size() >= kCachedPages) {
        pages_.erase(cachedOrder_.front());
        cachedOrder_.pop_front();
    }
    const uint64_t start = index * kPageSize;
    std::string page(static_cast<size_t>(std::min(kPageSize, size_ - start)), '\0');
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(start);
    at.OffsetHigh = static_cast<DWORD>(start >> 32);
    DWORD read = 0;
    if (!ReadFile(file_.get(), page.data(), static_cast<DWORD>(page.size()), &read, &at)) {
        const DWORD code = GetLastError();
        throw EHiveError("Cannot read file \"" + path_ + "\". " + SystemMessage(code), code);
    }
    bytesRead_ += read;
    if (read != page.size())
        Damaged("it became shorter while it was read");
    cachedOrder_.push_back(index);
    return pages_.emplace(index, std::move(page)).first->second;
}
