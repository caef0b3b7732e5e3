// Keys, sub-key lists and values of a hive file, each count checked against what the hive could hold.
#include "HiveFile.h"

#include <windows.h>

#include <algorithm>

#include "HiveNames.h"

namespace {

constexpr uint32_t kKeyHead = 0x4C;    // a key cell's fixed fields, its name after them
constexpr uint32_t kValueHead = 0x14;  // a value cell's fixed fields, its name after them
constexpr uint32_t kSmallestKeyCell = 0x50;
constexpr uint32_t kSmallestValueCell = 0x18;
constexpr uint16_t kKeyNameCompressed = 0x0020;
constexpr uint16_t kValueNameCompressed = 0x0001;
// The size field's high bit: up to four bytes of data stand in place of the link to them.
constexpr uint32_t kDataInPlace = 0x80000000;
// The most one data cell holds in hives that keep longer values in segments.
constexpr uint32_t kSegmentSize = 16344;

bool IsTextType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

}  // namespace

HiveFile::HiveFile(const std::string& path) : cells_(path) {
    ReadKey(cells_.RootOffset());
}

const std::string& HiveFile::StoredName(const HiveCell& cell, uint32_t at, uint16_t length, bool compressed) {
    if (!compressed && length % 2 != 0)
        cells_.Damaged("a name is cut in the middle of a character");
    cells_.Copy(cell, at, length, scratch_);
    return scratch_;
}

HiveFile::KeyNode HiveFile::ReadKey(uint32_t offset) {
    char head[kKeyHead];
    const HiveCell cell = cells_.Head(offset, "nk", head, sizeof head, "a key");
    KeyNode key;
    key.cell = offset;
    key.parent = DwordAt(head, 0x10);
    key.subkeyCount = DwordAt(head, 0x14);
    key.subkeyList = DwordAt(head, 0x1C);
    key.valueCount = DwordAt(head, 0x24);
    key.valueList = DwordAt(head, 0x28);
    if (key.subkeyCount > cells_.MostCellsOf(kSmallestKeyCell) ||
        key.valueCount > cells_.MostCellsOf(kSmallestValueCell))
        cells_.Damaged("a key counts more entries than the hive could hold");
    const bool compressed = WordAt(head, 2) & kKeyNameCompressed;
    key.name = NameOfBytes(StoredName(cell, kKeyHead, WordAt(head, 0x48), compressed), compressed);
    return key;
}

HiveFile::KeyNode HiveFile::ReadSubkey(const SubkeyEntry& entry, const KeyNode& parent) {
    KeyNode child = ReadKey(entry.cell);
    // Each key names its parent: a list that leads anywhere else, back up the tree included, is damaged.
    if (child.parent != parent.cell)
        cells_.Damaged("a key's sub-key list holds a key of another");
    return child;
}

std::optional<HiveKey> HiveFile::FindKey(const std::string& path) {
    std::vector<std::string_view> parts;
    for (size_t from = 0; from <= path.size();) {
        const size_t end = std::min(path.find('\\', from), path.size());
        if (end > from)
            parts.push_back(std::string_view(path).substr(from, end - from));
        from = end + 1;
    }
    // Keys are looked up a few beneath one parent (Run, RunOnce, ...): the walk goes on from the last
    // key that the previous walk passed through by the same name.
    size_t depth = 0;
    while (depth < parts.size() && depth < lastWalk_.size() && lastWalk_[depth].first == parts[depth])
        ++depth;
    lastWalk_.resize(depth);
    KeyNode key = depth > 0 ? lastWalk_.back().second : ReadKey(cells_.RootOffset());
    for (; depth < parts.size(); ++depth) {
        std::optional<KeyNode> child = FindSubkey(key, UpperName(NameOfAnsi(std::string(parts[depth]))));
        if (!child)
            return std::nullopt;
        key = std::move(*child);
        key.name.clear();  // compared already; the walk needs only the links
        lastWalk_.emplace_back(parts[depth], key);
    }
    return HiveKey{key.cell};
}

std::optional<HiveFile::KeyNode> HiveFile::FindSubkey(const KeyNode& key, const std::wstring& upperName) {
    // Hashes are compared only for ASCII names: writers differ in how they hash the others.
    const bool hashed = IsAsciiName(upperName);
    const uint32_t hash = NameHash(upperName);
    std::optional<KeyNode> found;
    VisitSubkeys(key, [&](const SubkeyEntry& entry) {
        if ((entry.kind == 'h' && hashed && entry.hint != hash) ||
            (entry.kind == 'f' && !HintAllows(entry.hint, upperName)))
            return true;
        KeyNode child = ReadSubkey(entry, key);
        UpperInPlace(child.name);
        if (child.name != upperName)
            return true;
        found = std::move(child);
        return false;
    });
    return found;
}

std::vector<std::string> HiveFile::ListKeyNames(HiveKey at) {
    const KeyNode key = ReadKey(at.cell);
    std::vector<std::string> names;
    uint64_t total = 0;
    VisitSubkeys(key, [&](const SubkeyEntry& entry) {
        names.push_back(AnsiOfName(ReadSubkey(entry, key).name));
        Account(total, names.back().size());
        return true;
    });
    return names;
}

void HiveFile::Account(uint64_t& total, size_t bytes) {
    total += bytes;
    // Twice the hive: a text in UTF-8 takes up to half as much again as in UTF-16.
    if (total / 2 > cells_.MostCellsOf(1))
        cells_.Damaged("a list repeats its entries");
}

template <typename Visit>
void HiveFile::VisitSubkeys(const KeyNode& key, Visit visit) {
    if (key.subkeyCount == 0)
        return;
    // The key's count bounds the walk: no list, however linked, makes it visit more entries.
    uint32_t budget = key.subkeyCount;
    if (VisitList(key.subkeyList, false, budget, visit) && budget != 0)
        cells_.Damaged("a key counts more sub-keys than its lists hold");
}

template <typename Visit>
bool HiveFile::VisitList(uint32_t offset, bool withinIndexRoot, uint32_t& budget, Visit& visit) {
    char head[4];
    const HiveCell cell = cells_.Head(offset, nullptr, head, sizeof head, "a sub-key list");
    const std::string kind(head, 2);
    const uint32_t count = WordAt(head, 2);
    const bool isRoot = kind == "ri";
    if (!isRoot && kind != "li" && kind != "lf" && kind != "lh")
        cells_.Damaged("a link to a sub-key list points to something else");
    if (isRoot && withinIndexRoot)
        cells_.Damaged("an index of sub-key lists holds another index");
    // Every list beneath an index holds a key at least, so that neither kind outruns the count.
    if (count > budget || (withinIndexRoot && count == 0))
        cells_.Damaged("a sub-key list holds more keys than its key counts");
    const uint32_t width = kind == "lf" || kind == "lh" ? 8 : 4;
    const std::string entries = cells_.Bytes(cell, 4, uint64_t{count} * width);
    const char* entry = entries.data();
    if (!isRoot)
        budget -= count;
    for (uint32_t index = 0; index < count; ++index) {
        const uint32_t link = DwordAt(entry, index * width);
        const bool goOn =
            isRoot ? VisitList(link, true, budget, visit)
                   : visit(SubkeyEntry{link, kind[1], width == 8 ? DwordAt(entry, index * width + 4) : 0});
        if (!goOn)
            return false;
    }
    return true;
}

std::vector<RegistryValue> HiveFile::ListValues(HiveKey at) {
    const KeyNode key = ReadKey(at.cell);
    std::vector<RegistryValue> values;
    if (key.valueCount == 0)
        return values;
    const std::string links = cells_.Bytes(cells_.CellAt(key.valueList), 0, uint64_t{key.valueCount} * 4);
    values.reserve(key.valueCount);
    uint64_t total = 0;
    for (uint32_t index = 0; index < key.valueCount; ++index) {
        values.push_back(ReadValue(DwordAt(links.data(), index * 4)));
        Account(total, values.back().name.size() + values.back().data.size());
    }
    return values;
}

RegistryValue HiveFile::ReadValue(uint32_t offset) {
    char head[kValueHead];
    const HiveCell cell = cells_.Head(offset, "vk", head, sizeof head, "a value");
    const bool compressed = WordAt(head, 16) & kValueNameCompressed;
    RegistryValue value;
    value.name = AnsiOfStoredName(StoredName(cell, kValueHead, WordAt(head, 2), compressed), compressed);
    const DWORD type = DwordAt(head, 12);
    value.kind = KindOfType(type);
    value.data = ValueData(DwordAt(head, 4), head);
    if (IsTextType(type))
        value.data = AnsiOfStoredName(std::move(value.data), false);
    return value;
}

std::string HiveFile::ValueData(uint32_t size, const char* head) {
    if (size & kDataInPlace) {
        size &= ~kDataInPlace;
        if (size > 4)
            cells_.Damaged("a value keeps more than four bytes in place of its data");
        return std::string(head + 8, size);
    }
    if (size == 0)
        return {};
    if (size > cells_.MostCellsOf(1))
        cells_.Damaged("a value is larger than the hive");
    const uint32_t offset = DwordAt(head, 8);
    if (size > kSegmentSize && cells_.KeepsBigData())
        return BigData(offset, size);
    return cells_.Bytes(cells_.CellAt(offset), 0, size);
}

std::string HiveFile::BigData(uint32_t offset, uint32_t size) {
    char head[8];
    cells_.Head(offset, "db", head, sizeof head, "a long value's data");
    const uint32_t segments = (size + kSegmentSize - 1) / kSegmentSize;
    if (WordAt(head, 2) < segments)
        cells_.Damaged("a long value has fewer segments than its size needs");
    const std::string links = cells_.Bytes(cells_.CellAt(DwordAt(head, 4)), 0, uint64_t{segments} * 4);
    std::string data;
    data.reserve(size);
    for (uint32_t index = 0; index < segments; ++index) {
        const HiveCell segment = cells_.CellAt(DwordAt(links.data(), index * 4));
        data += cells_.Bytes(segment, 0, std::min<uint64_t>(kSegmentSize, size - data.size()));
    }
    return data;
}
