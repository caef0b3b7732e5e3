// Reads a registry hive file by offset, a page at a time, keeping a few of the pages it has read.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>

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
    // The bytes at offset; a damaged file when they are not all in it.
    std::string Read(uint64_t offset, size_t count);
    // How many bytes were read from the file so far, each page once while it stays cached.
    uint64_t BytesRead() const { return bytesRead_; }
    // Raises the error of a damaged file: what names what is wrong with it.
    [[noreturn]] void Damaged(const std::string& what) const;

private:
    const std::string& Page(uint64_t index);

    std::string path_;
    UniqueFile file_;
    uint64_t size_ = 0;
    uint64_t bytesRead_ = 0;
    std::unordered_map<uint64_t, std::string> pages_;
    std::deque<uint64_t> cachedOrder_;  // oldest first: the first to go when the cache is full
};
