// Registry and folder rows of the scan.
#include "startup/StartupScan.h"

#include "startup/LocationKeys.h"
#include "startup/ProfileFolders.h"

void AppendRegistryRows(TRegistry& registry, const std::string& tag, std::vector<StartupEntry>& rows) {
    // One enumeration gives names and data together: a second query per value would double the time.
    std::vector<RegistryValue> values;
    registry.ListValues(values);
    rows.reserve(rows.size() + values.size());
    for (const RegistryValue& value : values) {
        if (value.name.empty())
            continue;
        std::string text = TextOfValue(value.name, value.kind, value.data.data(), value.data.size());
        rows.push_back(StartupEntry::Enabled(value.name, std::move(text), tag));
    }
}

void AppendFolderRows(const std::string& user, std::vector<StartupEntry>& rows, const Station& station) {
    const std::string folder = StartupFolderOf(user, station);
    const std::string location = StartupRowLocation(user);
    for (const std::string& name : ShortcutFileNames(folder))
        if (!name.empty())
            rows.push_back(StartupEntry::Enabled(name, folder + name, location));
}
