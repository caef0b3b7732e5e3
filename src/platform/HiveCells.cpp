// The base block's checks and the bounds of every cell, so that no link read leads outside the file.
#include "HiveCells.h"

#include <cstring>

namespace {

constexpr uint32_t kBlockSize = 4096;  // the base block, and the unit of hive bins
constexpr uint32_t kChecksumAt = 508;
constexpr uint32_t kSmallestCell = 8;  // a size field and one signature, aligned

// What the system writes at the end of the first 508 bytes: their words XOR-ed, with 0 and ~0 kept free.
uint32_t Checksum(const char* block) {
    uint32_t sum = 0;
    for (uint32_t at = 0; at < kChecksumAt; at += 4)
        sum ^= DwordAt(block, at);
    if (sum == 0)
        return 1;
    return sum == 0xFFFFFFFF ? 0xFFFFFFFE : sum;
}

}  // namespace

uint16_t WordAt(const char* bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 static_cast<unsigned char>(bytes[at + 1]) << 8);
}

uint32_t DwordAt(const char* bytes, size_t at) {
    return WordAt(bytes, at) | static_cast<uint32_t>(WordAt(bytes, at + 2)) << 16;
}

HiveCells::HiveCells(const std::string& path) : pages_(path) {
    if (pages_.Size() < 2 * kBlockSize)
        Damaged("it is too short to be a registry file");
    char block[kBlockSize];
    pages_.Read(0, block, sizeof block);
    CheckBaseBlock(block);
    char bin[8];
    pages_.Read(kBlockSize, bin, sizeof bin);
    if (std::memcmp(bin, "hbin", 4) != 0 || DwordAt(bin, 4) != 0)
        Damaged("its first hive bin is missing");
}

void HiveCells::CheckBaseBlock(const char* block) {
    if (std::memcmp(block, "regf", 4) != 0)
        Damaged("it is not a registry file");
    if (DwordAt(block, kChecksumAt) != Checksum(block))
        Damaged("its header's checksum is wrong");
    // A write that began and did not end: the system mends such a file from its logs when it loads it.
    if (DwordAt(block, 4) != DwordAt(block, 8))
        Damaged("it was left half-written");
    minorVersion_ = DwordAt(block, 24);
    if (DwordAt(block, 20) != 1)
        Damaged("it is of an unknown version");
    if (DwordAt(block, 28) != 0 || DwordAt(block, 32) != 1)
        Damaged("it is a log or of an unknown kind, not a hive");
    root_ = DwordAt(block, 36);
    binsSize_ = DwordAt(block, 40);
    if (binsSize_ == 0 || binsSize_ % kBlockSize != 0)
        Damaged("its hive bins are not whole");
    if (binsSize_ > pages_.Size() - kBlockSize)
        Damaged("it is cut short");
}

HiveCell HiveCells::CellAt(uint32_t offset) {
    // Cells begin on 8 bytes; their size field says how far they go, negative while allocated.
    if (offset % 8 != 0 || offset > binsSize_ - kSmallestCell)
        Damaged("a link points outside the hive");
    char field[4];
    pages_.Read(uint64_t{kBlockSize} + offset, field, sizeof field);
    const int64_t size = static_cast<int32_t>(DwordAt(field, 0));
    if (size >= 0)
        Damaged("a link points to a free cell");
    if (-size < kSmallestCell || -size > binsSize_ - offset)
        Damaged("a cell reaches past the end of the hive");
    return {offset, static_cast<uint32_t>(-size - 4)};
}

std::string HiveCells::Bytes(const HiveCell& cell, uint32_t at, uint64_t count) {
    std::string bytes;
    Copy(cell, at, count, bytes);
    return bytes;
}

void HiveCells::Copy(const HiveCell& cell, uint32_t at, uint64_t count, std::string& out) {
    if (at > cell.size || count > cell.size - at)
        Damaged("a cell is too short for what it holds");
    out.resize(static_cast<size_t>(count));
    pages_.Read(uint64_t{kBlockSize} + cell.offset + 4 + at, out.data(), out.size());
}

HiveCell HiveCells::Head(uint32_t offset,
                         const char* signature,
                         char* head,
                         uint32_t size,
                         const char* what) {
    const HiveCell cell = CellAt(offset);
    if (cell.size < size)
        Damaged(std::string(what) + " is too short");
    pages_.Read(uint64_t{kBlockSize} + cell.offset + 4, head, size);
    if (signature && std::memcmp(head, signature, 2) != 0)
        Damaged("a link to " + std::string(what) + " points to something else");
    return cell;
}
