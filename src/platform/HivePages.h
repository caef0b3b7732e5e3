// Reads a registry hive file by offset, a page at a time, keeping a few of the pages it has read.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "Errors.h"
#include "UniqueHandle.h"

// A registry file that cannot be opened or read, or that is not a sound hive; the message names it.
class EHiveError : public EFileError {
public:
    EHiveError(const std::string& message, unsigned long code) : EFileError(message), code_(code) {}
    // What the system answered when the file could not be opened or read (ERROR_FILE_NOT_FOUND,
    // ERROR_SHARING_VIOLATION for a hive that Windows has loaded, ...); 0 for a damaged file.
    unsigned long Code() const { return code_; }

private:
    unsigned long code_;
};

class HivePages {
public:
    // Opens the file for reading beside readers and writers; raises EHiveError when it cannot.
    explicit HivePages(const std::string& path);

    const std::string& Path() const { return path_; }
    uint64_t Size() const { return size_; }
    // count bytes at offset into out; a damaged file when they are not all in it.
    void Read(uint64_t offset, char* out, size_t count);
    // How many bytes were read from the file so far, each page once while it stays cached.
    uint64_t BytesRead() const { return bytesRead_; }
    // Raises the error of a damaged file: what names what is wrong with it.
    [[noreturn]] void Damaged(const std::string& what) const;

private:
    static constexpr uint64_t kPageSize = 4096;
    // Enough for the keys a listing walks through, while a file of any size costs little memory.
    static constexpr size_t kSlots = 64;

    // Where the page lies in the cache, read into the slot whose turn it is when it is not there.
    const char* Page(uint64_t index);
    size_t Load(uint64_t index);

    std::string path_;
    UniqueFile file_;
    uint64_t size_ = 0;
    uint64_t bytesRead_ = 0;
    std::array<std::unique_ptr<char[]>, kSlots> slots_;  // each allocated when first used
    std::array<uint64_t, kSlots> slotPage_;              // the page each slot holds; ~0 for none
    size_t nextSlot_ = 0;                                // the slots are reused in turn, the oldest first
    size_t lastSlot_ = 0;                                // most reads fall in the page of the one before
};
