// Reading and setting the StartupApproved switches of startup entries.
#include "StartupSwitches.h"

#include <unordered_set>

#include "TRegistry.h"
#include "TextCodec.h"

namespace {

constexpr const char* kApprovedPath =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\";
constexpr size_t kSwitchSize = 12;

bool OpenSwitches(TRegistry& registry, const SwitchList& switches, bool forWriting) {
    if (!switches.station.SelectRoot(registry, switches.root))
        return false;
    const std::string hive = switches.hive.empty() ? std::string() : "\\" + switches.hive;
    const std::string path = hive + kApprovedPath + std::string(switches.list);
    return forWriting ? registry.OpenPath(path, false) : registry.OpenPathForReading(path);
}

// A value name as the registry compares it: every letter upper-cased.
std::wstring NameKey(const std::string& name) {
    std::wstring wide = ToWide(name, CP_ACP);
    CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return wide;
}

// The list, where the station has its root.
std::optional<SwitchList> On(const Station& station, HKEY root, const char* list) {
    return station.HasRoot(root) ? std::optional(SwitchList{root, list, station, {}}) : std::nullopt;
}

}  // namespace

std::optional<SwitchList> SwitchListOfTag(const std::string& tag, const Station& station) {
    const StartupSource* source = FindStationKey(tag);
    if (source == nullptr || source->switches == nullptr)
        return std::nullopt;
    return On(station, source->root, source->switches);
}

std::optional<SwitchList> SwitchListOfUserKey(const StartupSource& kind,
                                              const std::string& sid,
                                              const Station& station) {
    if (kind.switches == nullptr)
        return std::nullopt;
    return SwitchList{kind.root, kind.switches, station, sid};
}

std::optional<SwitchList> SwitchListOfFolder(FolderSwitches switches, const Station& station) {
    const char* list = FindSource(kStartupTag)->switches;
    switch (switches) {
        case FolderSwitches::CurrentUser:
            return On(station, HKEY_CURRENT_USER, list);
        case FolderSwitches::AllUsers:
            return On(station, HKEY_LOCAL_MACHINE, list);
        case FolderSwitches::None:
            break;
    }
    return std::nullopt;
}

bool IsSwitchedOff(const std::string& firstBytes) {
    return !firstBytes.empty() && (static_cast<unsigned char>(firstBytes[0]) & 1) != 0;
}

void MarkSwitchedOffRows(const RegistryApi& api,
                         const std::optional<SwitchList>& switches,
                         std::vector<StartupEntry>& rows,
                         size_t first) {
    if (!switches || first >= rows.size())
        return;
    TRegistry registry(api);
    if (!OpenSwitches(registry, *switches, false))
        return;  // no switches at all: every entry is on
    // One enumeration of the switches, however many rows: on a network each query is a round trip.
    std::vector<RegistryValue> values;
    registry.ListValues(values);
    MarkRowsSwitchedOff(values, rows, first);
}

void MarkRowsSwitchedOff(const std::vector<RegistryValue>& values,
                         std::vector<StartupEntry>& rows,
                         size_t first) {
    std::unordered_set<std::wstring> off;
    for (const RegistryValue& value : values)
        if (IsSwitchedOff(value.data))
            off.insert(NameKey(value.name));
    if (off.empty())
        return;
    for (size_t index = first; index < rows.size(); ++index)
        if (off.count(NameKey(rows[index].appName)) != 0)
            rows[index].state = EntryState::SwitchedOff;
}

void SwitchOn(const RegistryApi& api, const SwitchList& switches, const std::string& name) {
    TRegistry registry(api);
    if (!OpenSwitches(registry, switches, true))
        return;
    const std::string bytes = registry.ReadBytes(name);  // empty when there is no switch: on
    if (!IsSwitchedOff(bytes))
        return;
    std::string on(kSwitchSize, '\0');
    on[0] = static_cast<char>(bytes[0] & ~1);
    registry.WriteBytes(name, on);
}

bool RemoveSwitch(const RegistryApi& api, const SwitchList& switches, const std::string& name) {
    {
        TRegistry registry(api);
        if (OpenSwitches(registry, switches, true) &&
            (!registry.HasValue(name) || registry.RemoveValue(name)))
            return true;
    }
    // Not deleted (no key, or no right to change it): harmless unless it holds the name off.
    TRegistry reader(api);
    return !OpenSwitches(reader, switches, false) || !IsSwitchedOff(reader.ReadBytes(name));
}
