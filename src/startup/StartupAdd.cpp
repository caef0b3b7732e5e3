// Adding an entry: the Add button's rule and handler, and writing an entry into its location.
#include "EntryValues.h"
#include "LocationKeys.h"
#include "LocationRegistry.h"
#include "ShellLink.h"
#include "StartupList.h"
#include "StartupLocations.h"
#include "StartupMessages.h"

namespace {

// An input check the window words as a warning, with the focus on the field to mend.
Outcome RefuseInput(Notifier& notifier, StartupView& view, const char* text, StartupField field) {
    notifier.ShowMessageBox(text, MessageKind::Warning);
    view.Focus(field);
    return Outcome::Refused(text);
}

}  // namespace

bool StartupList::AddButtonEnabled(const std::string& name, const std::string& path) {
    return !name.empty() && !path.empty();
}

Outcome StartupList::Button_AddClick(const std::string& name,
                                     const std::string& path,
                                     const std::optional<std::string>& selectedUser) {
    if (name.empty())
        return RefuseInput(notifier_, view_, kNameMissing, StartupField::ApplicationName);
    if (path.empty())
        return RefuseInput(notifier_, view_, kPathMissing, StartupField::ApplicationPath);
    std::string location = currentLocation_;
    if (location == kStartupTag) {
        // Without a user there is no folder to write to.
        if (!selectedUser)
            return RefuseInput(notifier_, view_, kUserMissing, StartupField::UsersList);
        location = LocationKeyOf(location, *selectedUser);
    }
    Outcome outcome = Report(AddEntry(location, name, path));
    RefreshStartupList();
    return outcome;
}

Outcome StartupList::AddEntry(const std::string& locationKey,
                              const std::string& name,
                              const std::string& path) {
    if (IsPolicyLocation(locationKey))
        return Outcome::Refused(AtLocation(locationKey, kSetByPolicy));
    return WriteStartupEntry(locationKey, name, QuoteWholePath(path));
}

// An entry written is switched on in Windows' settings too, so that it really starts.
Outcome StartupList::WriteStartupEntry(const std::string& location,
                                       const std::string& name,
                                       const std::string& value,
                                       ValueKind kind) {
    if (IsStartupKey(location)) {
        const std::optional<UserProfile> profile = Profiles().Named(UserOfStartupKey(location));
        if (!profile || !CreateShortcut(value, profile->startupFolder, name))
            return Outcome::Failed(AtLocation(location, kCouldNotCreateShortcut));
        if (std::optional<SwitchList> switches = SwitchListOfFolder(profile->switches, station_))
            SwitchOn(api_, *switches, name + ".lnk");
        return Outcome::Done();
    }
    if (std::optional<Outcome> absent = UserAbsent(location))
        return *absent;
    TRegistry registry(api_);
    if (!OpenLocationKey(registry, api_, location, true, station_))
        return Outcome::Refused(AtLocation(location, kCouldNotWrite));
    if (kind == ValueKind::ExpandableText)
        registry.WriteExpandableText(name, value);
    else
        registry.WriteText(name, value);
    if (std::optional<SwitchList> switches = SwitchesOf(location))
        SwitchOn(api_, *switches, name);
    return Outcome::Done();
}
