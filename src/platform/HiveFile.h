// A registry hive file (a user's NTUSER.DAT) read in place: keys by path, their values and sub-key names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "HiveCells.h"
#include "TRegistry.h"

// A key of an open hive file: where its key cell lies.
struct HiveKey {
    uint32_t cell = 0;
};

// Every read checks the file: a damaged one raises EHiveError naming it, whatever its bytes.
class HiveFile {
public:
    // Opens the file for reading beside other readers and writers and checks its base block; raises
    // EHiveError naming the file when it cannot be opened (a hive that Windows has loaded is locked:
    // ERROR_SHARING_VIOLATION) or is no sound hive.
    explicit HiveFile(const std::string& path);

    HiveKey Root() const { return {cells_.RootOffset()}; }
    // The key at a backslash path beneath the root key ("" is the root), each part compared as the
    // registry compares names; nothing when a part is missing.
    std::optional<HiveKey> FindKey(const std::string& path);
    // The key's values in the order stored. Names, and the data of text kinds (REG_SZ, REG_EXPAND_SZ,
    // REG_MULTI_SZ), come in the ANSI code page as RegEnumValueA gives them; TextOfValue reads a text.
    std::vector<RegistryValue> ListValues(HiveKey key);
    // The names of the key's sub-keys in the order stored.
    std::vector<std::string> ListKeyNames(HiveKey key);

    // Bytes read from the file since it was opened, the base block included.
    uint64_t BytesRead() const { return cells_.BytesRead(); }
    const std::string& Path() const { return cells_.Path(); }

private:
    struct KeyNode {
        uint32_t cell = 0;
        uint32_t parent = 0;
        uint32_t subkeyCount = 0;
        uint32_t subkeyList = 0;
        uint32_t valueCount = 0;
        uint32_t valueList = 0;
        std::wstring name;
    };
    // One entry of a sub-key list: the key cell, and what the list keeps to speed up lookups.
    struct SubkeyEntry {
        uint32_t cell = 0;
        char kind = 'i';  // 'i' for li (no hint), 'f' for lf (first letters), 'h' for lh (hash)
        uint32_t hint = 0;
    };

    // The bytes of a name in the cell, in a buffer that the next name reuses.
    const std::string& StoredName(const HiveCell& cell, uint32_t at, uint16_t length, bool compressed);
    KeyNode ReadKey(uint32_t offset);
    KeyNode ReadSubkey(const SubkeyEntry& entry, const KeyNode& parent);
    std::optional<KeyNode> FindSubkey(const KeyNode& key, const std::wstring& upperName);
    // visit(const SubkeyEntry&) is called for each entry until it answers false.
    template <typename Visit>
    void VisitSubkeys(const KeyNode& key, Visit visit);
    template <typename Visit>
    bool VisitList(uint32_t offset, bool withinIndexRoot, uint32_t& budget, Visit& visit);
    // Each name and datum lies in a cell of its own, so that all one list gives fits in the hive: a list
    // that repeats a large entry over and over is damaged, not a reason to run out of memory.
    void Account(uint64_t& total, size_t bytes);
    RegistryValue ReadValue(uint32_t offset);
    std::string ValueData(uint32_t size, const char* head);
    std::string BigData(uint32_t offset, uint32_t size);

    HiveCells cells_;
    std::string scratch_;
    // The keys of the last walk by path, each with the part of the path that named it.
    std::vector<std::pair<std::string, KeyNode>> lastWalk_;
};
