// The cells of a registry hive file: its base block checked, each cell found and bounded before use.
#pragma once

#include <cstdint>
#include <string>

#include "HivePages.h"

// Where a cell's data lies (offsets count from the start of the hive bins, as the cells' own links do)
// and how long it is, its size field left out.
struct HiveCell {
    uint32_t offset = 0;
    uint32_t size = 0;
};

// Little-endian fields of bytes read from a cell; the caller has read enough of them.
uint16_t WordAt(const char* bytes, size_t at);
uint32_t DwordAt(const char* bytes, size_t at);

class HiveCells {
public:
    // Opens the file and checks its base block: signature, checksum, version, kind, whole and unbroken
    // hive bins within the file, and the first bin's header.
    explicit HiveCells(const std::string& path);

    uint32_t RootOffset() const { return root_; }
    // Hives of version 1.4 on keep values longer than one segment in big-data cells.
    bool KeepsBigData() const { return minorVersion_ >= 4; }
    // At most how many cells of that size the hive bins could hold: a bound for any count read.
    uint32_t MostCellsOf(uint32_t cellSize) const { return binsSize_ / cellSize; }

    // The allocated cell at offset, lying whole within the hive bins.
    HiveCell CellAt(uint32_t offset);
    // count bytes of a cell's data from at, all within the cell; Copy puts them into out.
    std::string Bytes(const HiveCell& cell, uint32_t at, uint64_t count);
    void Copy(const HiveCell& cell, uint32_t at, uint64_t count, std::string& out);
    // The cell at offset and its first size bytes into head, which begin with signature (two letters)
    // unless it is null; what names the cell's kind in the errors.
    HiveCell Head(uint32_t offset, const char* signature, char* head, uint32_t size, const char* what);

    uint64_t BytesRead() const { return pages_.BytesRead(); }
    const std::string& Path() const { return pages_.Path(); }
    [[noreturn]] void Damaged(const std::string& what) const { pages_.Damaged(what); }

private:
    void CheckBaseBlock(const char* block);

    HivePages pages_;
    uint32_t root_ = 0;
    uint32_t binsSize_ = 0;
    uint32_t minorVersion_ = 0;
};
