// Registry and folder rows of the scan.
#include "StartupScan.h"

#include "LocationKeys.h"

void AppendRegistryRows(TRegistry& registry, const std::string& tag, std::vector<StartupEntry>& rows) {
    // One enumeration gives names and data together: a second query per value would double the time.
    std::vector<RegistryValue> values;
    registry.ListValues(values);
    AppendValueRows(values, tag, rows);
}

void AppendValueRows(const std::vector<RegistryValue>& values,
                     const std::string& tag,
                     std::vector<StartupEntry>& rows) {
    rows.reserve(rows.size() + values.size());
    for (const RegistryValue& value : values) {
        if (value.name.empty())
            continue;
        std::string text = TextOfValue(value.name, value.kind, value.data.data(), value.data.size());
        rows.push_back(StartupEntry::Enabled(value.name, std::move(text), tag));
    }
}

void AppendFolderRows(const UserProfile& profile, std::vector<StartupEntry>& rows) {
    const std::string location = StartupRowLocation(profile.name);
    for (const std::string& name : ShortcutFileNames(profile.startupFolder))
        if (!name.empty())
            rows.push_back(StartupEntry::Enabled(name, profile.startupFolder + name, location));
}
