// The hive file's pages: read at their offsets through the file handle, never the whole file.
#include "HivePages.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "SystemMessage.h"

namespace {

constexpr uint64_t kNoPage = ~uint64_t{0};

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
    slotPage_.fill(kNoPage);
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

void HivePages::Read(uint64_t offset, char* out, size_t count) {
    if (offset > size_ || count > size_ - offset)
        Damaged("it ends before the data it points to");
    for (size_t done = 0; done < count;) {
        const uint64_t at = offset + done;
        const size_t from = static_cast<size_t>(at % kPageSize);
        const size_t part = static_cast<size_t>(std::min<uint64_t>(count - done, kPageSize - from));
        std::memcpy(out + done, Page(at / kPageSize) + from, part);
        done += part;
    }
}

const char* HivePages::Page(uint64_t index) {
    if (slotPage_[lastSlot_] != index) {
        const auto cached = std::find(slotPage_.begin(), slotPage_.end(), index);
        lastSlot_ = cached != slotPage_.end() ? static_cast<size_t>(cached - slotPage_.begin()) : Load(index);
    }
    return slots_[lastSlot_].get();
}

size_t HivePages::Load(uint64_t index) {
    const size_t slot = nextSlot_;
    nextSlot_ = (nextSlot_ + 1) % kSlots;
    slotPage_[slot] = kNoPage;
    const uint64_t start = index * kPageSize;
    const auto length = static_cast<DWORD>(std::min(kPageSize, size_ - start));
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(start);
    at.OffsetHigh = static_cast<DWORD>(start >> 32);
    DWORD read = 0;
    if (!slots_[slot])
        slots_[slot].reset(new char[kPageSize]);
    if (!ReadFile(file_.get(), slots_[slot].get(), length, &read, &at)) {
        const DWORD code = GetLastError();
        throw EHiveError("Cannot read file \"" + path_ + "\". " + SystemMessage(code), code);
    }
    bytesRead_ += read;
    if (read != length)
        Damaged("it became shorter while it was read");
    slotPage_[slot] = index;
    return slot;
}
