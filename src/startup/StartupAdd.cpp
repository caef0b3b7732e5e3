// Adding an entry: the Add button's rule and handler, and writing an entry into its location.
#include "EntryValues.h"
#include "LocationKeys.h"
#include "LocationRegistry.h"
#include "ShellLink.h"
#include "StartupList.h"
#include "StartupLocations.h"
#include "StartupMessages.h"

bool StartupList::AddButtonEnabled(const std::string& name, const std::string& path) {
    return !name.empty() && !path.empty();
}

void StartupList::Button_AddClick(const std::string& name,
                                  const std::string& path,
                                  const std::optional<std::string>& selectedUser) {
    if (name.empty()) {
        notifier_.ShowMessageBox(kNameMissing, MessageKind::Warning);
        view_.Focus(StartupField::ApplicationName);
        return;
    }
    if (path.empty()) {
        notifier_.ShowMessageBox(kPathMissing, MessageKind::Warning);
        view_.Focus(StartupField::ApplicationPath);
        return;
    }
    std::string location = currentLocation_;
    if (location == kStartupTag) {
        // Without a user there is no folder to write to.
        if (!selectedUser) {
            notifier_.ShowMessageBox(kUserMissing, MessageKind::Warning);
            view_.Focus(StartupField::UsersList);
            return;
        }
        location += "\\" + *selectedUser;
    }
    WriteStartupEntry(location, name, QuoteWholePath(path));
    RefreshStartupList();
}

// An entry written is switched on in Windows' settings too, so that it really starts.
bool StartupList::WriteStartupEntry(const std::string& location,
                                    const std::string& name,
                                    const std::string& value,
                                    ValueKind kind) {
    if (IsStartupKey(location)) {
        const std::optional<UserProfile> profile = Profiles().Named(UserOfStartupKey(location));
        if (!profile || !CreateShortcut(value, profile->startupFolder, name))
            return false;
        if (std::optional<SwitchList> switches = SwitchListOfFolder(profile->switches, station_))
            SwitchOn(api_, *switches, name + ".lnk");
        return true;
    }
    TRegistry registry(api_);
    if (!OpenLocationKey(registry, location, true, station_)) {
        notifier_.ShowMessageBox(AtLocation(location, kCouldNotWrite), MessageKind::Error);
        return false;
    }
    if (kind == ValueKind::ExpandableText)
        registry.WriteExpandableText(name, value);
    else
        registry.WriteText(name, value);
    if (std::optional<SwitchList> switches = SwitchListOfTag(location, station_))
        SwitchOn(api_, *switches, name);
    return true;
}
