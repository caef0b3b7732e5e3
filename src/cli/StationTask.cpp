// One station's list or action through StartupList, with a view that keeps rows and a notifier that keeps
// texts.
#include "cli/StationTask.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <iterator>

#include "platform/Errors.h"
#include "startup/LocationKeys.h"
#include "startup/LocationRegistry.h"
#include "startup/LocationViews.h"
#include "startup/ProfileFolders.h"
#include "startup/StartupList.h"
#include "startup/StartupLocations.h"
#include "startup/StartupMessages.h"
#include "startup/StoreLock.h"
#include "startup/TextFiles.h"

namespace {

// Keeps the rows and users the logic shows; a console has no count label and no focus.
class CapturingView : public StartupView {
public:
    std::vector<StartupEntry> rows;
    std::vector<std::string> users;

    void ShowRows(const std::vector<StartupEntry>& shown) override { rows = shown; }
    void SetCountLabel(const std::string&) override {}
    void SetUsers(const std::vector<std::string>& names) override { users = names; }
    void Focus(StartupField) override {}
};

// Keeps every message; a warning or an error means the station did not do what was asked.
class CollectingNotifier : public Notifier {
public:
    std::vector<std::string> messages;
    std::vector<bool> failures;  // per message: a warning or an error
    bool failed = false;
    std::function<bool(const std::string&)> ignored = [](const std::string&) { return false; };

    void ShowMessageBox(const std::string& text, MessageKind kind) override {
        if (ignored(text))
            return;
        messages.push_back(text);
        failures.push_back(kind != MessageKind::Information);
        failed = failed || failures.back();
    }
    void Fail(const std::string& text) { ShowMessageBox(text, MessageKind::Error); }
    void PlayPressSound() override {}
    void PlayNotifySound() override {}
    void PlayWarningSound() override {}
};

std::string PastOf(CliVerb verb) {
    switch (verb) {
        case CliVerb::Add:
            return "added";
        case CliVerb::Disable:
            return "disabled";
        case CliVerb::Enable:
            return "enabled";
        default:
            return "removed";
    }
}

bool SameRow(const StartupEntry& a, const StartupEntry& b) {
    return a.appName == b.appName && a.appPath == b.appPath && a.location == b.location &&
           a.status == b.status;
}

class StationTask {
public:
    StationTask(const CliCommand& command,
                const LocalMachine& local,
                Station station,
                const std::string& storeName)
        : command_(command), api_(*local.api), logic_(view_, notifier_, *local.api) {
        logic_.SetAppDir(local.appDir);
        logic_.SetComputerName(storeName);
        logic_.SetStation(std::move(station));
        // The window says it cannot open a key that is not there; to a script that is an empty location.
        notifier_.ignored = [this](const std::string& text) {
            return text == kCouldNotOpenRegistry &&
                   LocationKeyMissing(api_, logic_.CurrentLocation(), logic_.CurrentStation());
        };
    }

    StationReport Run() {
        try {
            if (command_.verb == CliVerb::List)
                List();
            else
                Act();
        } catch (const EAbort&) {
            notifier_.Fail("Operation aborted");
        } catch (const std::exception& error) {
            notifier_.Fail(DefaultErrorText(error.what()));
        }
        return Finish();
    }

private:
    void ShowView(const std::string& view) {
        view_.rows.clear();
        logic_.SetCurrentLocation(view);
        logic_.RefreshStartupList();
    }

    void List() {
        std::vector<std::string> views;
        for (const StartupLocation& location : StartupLocations())
            if (!command_.location || *command_.location == location.tag)
                views.push_back(location.tag);
        for (const std::string& view : views) {
            if (!command_.location && !HasRegistryOf(view)) {
                // Every view was asked for: the one this station cannot have is noted, not failed.
                notifier_.ShowMessageBox(AtLocation(view, kNotOnOtherStation), MessageKind::Information);
                continue;
            }
            try {
                if (command_.user)
                    ListUser(*command_.user);
                else
                    ShowView(view);
            } catch (const std::exception& error) {
                notifier_.Fail(DefaultErrorText(error.what()));  // the rows read before it still count
            }
            report_.rows.insert(report_.rows.end(), std::make_move_iterator(view_.rows.begin()),
                                std::make_move_iterator(view_.rows.end()));
        }
        const size_t count = report_.rows.size();
        report_.status = std::to_string(count) + (count == 1 ? " entry" : " entries");
    }

    void ListUser(const std::string& user) {
        view_.rows.clear();
        logic_.SetCurrentLocation(kStartupTag);
        logic_.ListBox1Click(ProfileNamed(user).value_or(user));
    }

    bool HasRegistryOf(const std::string& view) const {
        const StartupLocation* found = FindRegistryLocation(view);
        return found == nullptr || logic_.CurrentStation().HasRoot(found->root);
    }

    // The profile name as the Users list shows it, for a name typed in any letter case.
    std::optional<std::string> ProfileNamed(const std::string& user) const {
        for (const std::string& name : logic_.Profiles().Names())
            if (EqualsIgnoringCase(name, user))
                return name;
        return std::nullopt;
    }

    void Act() {
        const std::string& location = *command_.location;
        ShowView(ViewOfLocation(location));
        if (notifier_.failed)
            return;  // a location that cannot be read is not acted on
        if (command_.verb == CliVerb::Add) {
            Add(location);
            return;
        }
        std::optional<StartupEntry> row =
            Pick(command_.verb == CliVerb::Enable ? kStatusDisabled : kStatusEnabled);
        if (!row && command_.verb == CliVerb::Remove)
            row = Pick(kStatusDisabled);
        if (!row) {
            const char* which = command_.verb == CliVerb::Disable  ? "enabled "
                                : command_.verb == CliVerb::Enable ? "disabled "
                                                                   : "";
            notifier_.Fail(AtLocation(
                location, "there is NO " + std::string(which) + "entry '" + command_.name + "' !"));
            return;
        }
        if (command_.verb == CliVerb::Disable)
            DisableChangingNothingOnRefusal(*row);
        else if (command_.verb == CliVerb::Enable)
            logic_.EnableApp1Click(*row);
        else
            logic_.RemoveApp1Click(*row);
        // The logic stays silent about a few failures (a key it could not open, a file it could not delete).
        ExpectOutcome(!StillShown(*row));
    }

    bool StillShown(const StartupEntry& row) const {
        return std::any_of(view_.rows.begin(), view_.rows.end(),
                           [&](const StartupEntry& shown) { return SameRow(shown, row); });
    }

    // The window keeps the record of an entry that it could not take away, and then shows the entry
    // twice; a script is told that a refused action changes nothing. The entry is still in its place,
    // so putting the store back loses nothing.
    void DisableChangingNothingOnRefusal(const StartupEntry& row) {
        const DisabledStore store(logic_.DisabledStoreFile());
        const StoreLock lock(store.Path());  // no other process's record may come between read and put back
        const bool existed = FileExists(store.Path());
        const std::string before = store.LoadText();
        logic_.DisableApp1Click(row);
        if (!StillShown(row))
            return;
        if (existed)
            ReplaceFileContents(store.Path(), before);
        else
            DeleteFileA(store.Path().c_str());
    }

    void Add(const std::string& location) {
        std::optional<std::string> user;
        if (!UserPartOf(location).empty()) {
            user = ProfileNamed(UserPartOf(location));
            if (!user) {
                notifier_.Fail(
                    AtLocation(location, "there is NO user profile '" + UserPartOf(location) + "' !"));
                return;
            }
        }
        logic_.Button_AddClick(command_.name, command_.command, user);
        const std::string name = user ? command_.name + ".lnk" : command_.name;
        ExpectOutcome(Find(kStatusEnabled, name, location).has_value());
    }

    std::optional<StartupEntry> Find(const std::string& status,
                                     const std::string& name,
                                     const std::string& location) const {
        for (const StartupEntry& row : view_.rows)
            if (row.status == status && EqualsIgnoringCase(row.appName, name) &&
                EqualsIgnoringCase(row.location, location))
                return row;
        return std::nullopt;
    }

    std::optional<StartupEntry> Pick(const std::string& status) const {
        return Find(status, command_.name, *command_.location);
    }

    void ExpectOutcome(bool reached) {
        if (!reached && !notifier_.failed)
            notifier_.Fail(AtLocation(*command_.location,
                                      "'" + command_.name + "' was NOT " + PastOf(command_.verb) + " !"));
    }

    StationReport Finish() {
        report_.messages = notifier_.messages;
        report_.ok = !notifier_.failed;
        if (!report_.ok) {
            // The last failure is the reason; whatever else was said comes before it.
            const size_t reason = notifier_.failures.rend() -
                                  std::find(notifier_.failures.rbegin(), notifier_.failures.rend(), true) - 1;
            report_.status = report_.messages[reason];
            report_.messages.erase(report_.messages.begin() + static_cast<std::ptrdiff_t>(reason));
            if (command_.verb != CliVerb::List)
                report_.rows.clear();
        } else if (command_.verb != CliVerb::List) {
            report_.status = "done";
        }
        return std::move(report_);
    }

    const CliCommand& command_;
    const RegistryApi& api_;
    CapturingView view_;
    CollectingNotifier notifier_;
    StartupList logic_;
    StationReport report_;
};

// Startup folders are read by list of every view or of Startup, and by actions on a Startup folder.
bool NeedsFiles(const CliCommand& command) {
    return !command.location || IsStartupKey(*command.location);
}

std::optional<std::string> UnreachableReason(const Station& station, const RegistryApi& api, bool files) {
    HKEY root = nullptr;
    const LONG result = api.connectRegistry(("\\\\" + station.Name()).c_str(), HKEY_LOCAL_MACHINE, &root);
    if (result != ERROR_SUCCESS)
        return SystemMessage(static_cast<unsigned long>(result));
    if (root != HKEY_LOCAL_MACHINE)
        api.closeKey(root);
    if (files && GetFileAttributesA(station.FileRoot().c_str()) == INVALID_FILE_ATTRIBUTES)
        return SystemMessage(GetLastError());
    return std::nullopt;
}

StationReport Failure(const std::string& reason) {
    StationReport report;
    report.ok = false;
    report.status = reason;
    return report;
}

}  // namespace

StationReport WorkStation(const CliCommand& command, const std::string& station, const LocalMachine& local) {
    const Station target = StationNamed(station, local.computerName, local.fileRootOf(station));
    if (!target.IsThisComputer())
        if (std::optional<std::string> reason = UnreachableReason(target, *local.api, NeedsFiles(command)))
            return Failure(*reason);
    return StationTask(command, local, target, StoreNameOf(target, local.computerName)).Run();
}
