// Startup entries that are shortcut files in the Startup folders of the user profiles.
#include "SourceKind.h"

#include <windows.h>

#include "EntryValues.h"
#include "LocationKeys.h"
#include "ShellLink.h"
#include "StartupBook.h"
#include "StartupMessages.h"
#include "StartupScan.h"
#include "SystemMessage.h"

namespace {

// The profile of a "Startup\" + U key that holds path directly in its Startup folder; a row of the
// Startup view may also show a registry value, whose path names a program that must not be touched.
std::optional<UserProfile> FolderHolding(const StartupBook& book,
                                         const std::string& locationKey,
                                         const std::string& path) {
    std::optional<UserProfile> profile = book.Profiles().Named(UserOfStartupKey(locationKey));
    if (!profile || !IsDirectlyIn(path, profile->startupFolder))
        return std::nullopt;
    return profile;
}

class StartupShortcuts : public SourceKind {
public:
    void Scan(StartupBook& book, const SourceSite&, StartupPage& page) const override {
        const UserProfiles profiles = book.Profiles();
        page.users = profiles.Names();
        for (const UserProfile& profile : profiles.List())
            ScanProfile(book, profile, page);
    }

    Outcome Write(StartupBook& book,
                  const std::string& locationKey,
                  const std::string& name,
                  const std::string& value,
                  ValueKind) const override {
        const std::optional<UserProfile> profile = book.Profiles().Named(UserOfStartupKey(locationKey));
        if (!profile || !CreateShortcut(value, profile->startupFolder, name))
            return Outcome::Failed(AtLocation(locationKey, kCouldNotCreateShortcut));
        if (std::optional<SwitchList> switches = SwitchListOfFolder(profile->switches, book.CurrentStation()))
            ::SwitchOn(book.Api(), *switches, name + ".lnk");
        return Outcome::Done();
    }

    // The record is written before the file goes, and the file goes only when enabling can rebuild it.
    Outcome TakeAway(StartupBook& book,
                     const std::string&,
                     const std::string& appName,
                     const std::string& appPath,
                     const std::string& recordKey) const override {
        if (!FolderHolding(book, recordKey, appPath))
            return Outcome::Refused(AtLocation(recordKey, NotAStartupShortcutText(appPath)));
        const std::string target = ResolveShortcutTarget(appPath);
        if (target.empty() || target == kNotAShortcut)
            return Outcome::Refused(AtLocation(recordKey, kCouldNotReadShortcut));
        if (HoldsLineBreak(recordKey) || HoldsLineBreak(appName) || HoldsLineBreak(target))
            return Outcome::Refused(AtLocation(recordKey, kLineBreakInEntry));
        const DisabledStore store = book.Store();
        const StoreSnapshot before = store.AppendDisabledRecord(recordKey, appName, target);
        if (!DeleteFileA(appPath.c_str())) {
            const std::string reason = SystemMessage(GetLastError());
            store.Restore(before);  // the shortcut stays enabled, so its record goes
            return Outcome::Failed(AtLocation(recordKey, CouldNotDeleteFileText(appPath, reason)));
        }
        return book.DropSwitch(recordKey, appName);
    }

    Outcome Delete(StartupBook& book,
                   const std::string& locationKey,
                   const std::string& appName,
                   const std::string& appPath) const override {
        if (!FolderHolding(book, locationKey, appPath))
            return Outcome::Refused(AtLocation(locationKey, NotAStartupShortcutText(appPath)));
        if (!DeleteFileA(appPath.c_str()))
            return Outcome::Failed(
                AtLocation(locationKey, CouldNotDeleteFileText(appPath, SystemMessage(GetLastError()))));
        return book.DropSwitch(locationKey, appName);
    }

    // A shortcut's target is as the station names it; a row of a value under the root is a command.
    RowProgram ProgramOf(const StartupEntry& row) const override {
        if (!EndsWithLinkExtension(row.appPath))
            return RegistryValuesKind().ProgramOf(row);
        return {ResolveShortcutTarget(row.appPath), true, false};
    }

    static void ScanProfile(const StartupBook& book, const UserProfile& profile, StartupPage& page) {
        const size_t first = page.rows.size();
        AppendFolderRows(profile, page.rows);
        MarkSwitchedOffRows(book.Api(), SwitchListOfFolder(profile.switches, book.CurrentStation()),
                            page.rows, first);
    }
};

}  // namespace

const SourceKind& StartupShortcutsKind() {
    static const StartupShortcuts kind;
    return kind;
}

void ScanUserFolder(const StartupBook& book, const UserProfile& profile, StartupPage& page) {
    StartupShortcuts::ScanProfile(book, profile, page);
}
