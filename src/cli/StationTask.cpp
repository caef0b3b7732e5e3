// One station's list or action through StartupList, with a view that keeps rows and a notifier that keeps
// texts.
#include "StationTask.h"

#include <iterator>

#include "Errors.h"
#include "LocationKeys.h"
#include "LocationViews.h"
#include "ProfileFolders.h"
#include "StartupList.h"
#include "StartupLocations.h"
#include "StartupMessages.h"
#include "StationName.h"

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

    void ShowMessageBox(const std::string& text, MessageKind kind) override {
        messages.push_back(text);
        failures.push_back(kind != MessageKind::Information);
        failed = failed || failures.back();
    }
    void Fail(const std::string& text) { ShowMessageBox(text, MessageKind::Error); }
    void PlayPressSound() override {}
    void PlayNotifySound() override {}
    void PlayWarningSound() override {}
};

class StationTask {
public:
    StationTask(const CliCommand& command,
                const LocalMachine& local,
                Station station,
                const std::string& storeName)
        : command_(command), logic_(view_, notifier_, *local.api) {
        logic_.SetAppDir(local.appDir);
        logic_.SetComputerName(storeName);
        logic_.SetStation(std::move(station));
        logic_.SetMissingKeyIsEmpty(true);  // to a script, a key that is not there is an empty location
        logic_.KeepLoggedOnUsers(true);
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
            try {
                if (command_.user && view == kStartupTag)
                    ListUser(*command_.user);
                else
                    ShowView(view);
                if (command_.user)
                    KeepRowsOf(*command_.user);
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

    // Only the rows whose Location names the user: "alice\Startup", "alice\Run" and the like.
    void KeepRowsOf(const std::string& user) {
        std::erase_if(view_.rows, [&](const StartupEntry& row) {
            const std::string rowUser = UserPartOf(row.location);
            return rowUser.empty() || !EqualsIgnoringCase(rowUser, user);
        });
    }

    // The profile name as the Users list shows it, for a name typed in any letter case.
    std::optional<std::string> ProfileNamed(const std::string& user) const {
        for (const std::string& name : logic_.Profiles().Names())
            if (EqualsIgnoringCase(name, user))
                return name;
        return std::nullopt;
    }

    // The list of the row's view is read first, to find the row as a person would pick it.
    void Act() {
        const std::string& location = *command_.location;
        ShowView(ViewOfLocation(location));
        if (notifier_.failed)
            return;  // a location that cannot be read is not acted on
        if (command_.verb == CliVerb::Add) {
            Add(location);
            return;
        }
        const std::optional<StartupEntry> row = PickRow();
        if (!row) {
            const char* which = command_.verb == CliVerb::Disable  ? "enabled "
                                : command_.verb == CliVerb::Enable ? "disabled "
                                                                   : "";
            notifier_.Fail(AtLocation(
                location, "there is NO " + std::string(which) + "entry '" + command_.name + "' !"));
            return;
        }
        Record(command_.verb == CliVerb::Disable  ? logic_.DisableEntry(*row)
               : command_.verb == CliVerb::Enable ? logic_.EnableEntry(*row)
                                                  : logic_.RemoveEntry(*row));
    }

    void Add(const std::string& location) {
        std::string locationKey = location;
        if (location == kStartupTag) {
            notifier_.Fail(AtLocation(location, kUserMissing));
            return;
        }
        if (UserKeyKindOfRow(location) != nullptr) {
            locationKey = ToLocationKey(location);  // a logged-on user's own key
        } else if (!UserPartOf(location).empty()) {
            const std::optional<std::string> user = ProfileNamed(UserPartOf(location));
            if (!user) {
                notifier_.Fail(
                    AtLocation(location, "there is NO user profile '" + UserPartOf(location) + "' !"));
                return;
            }
            locationKey = LocationKeyOf(kStartupTag, *user);
        }
        Record(logic_.AddEntry(locationKey, command_.name, command_.command));
    }

    // Disable takes an enabled row, enable a disabled one (or one Windows holds off), remove either,
    // the one that starts first.
    std::optional<StartupEntry> PickRow() const {
        std::optional<StartupEntry> other;
        for (const StartupEntry& row : view_.rows) {
            if (!EqualsIgnoringCase(row.appName, command_.name) ||
                !EqualsIgnoringCase(row.location, *command_.location))
                continue;
            const bool wanted = command_.verb == CliVerb::Enable ? !row.IsEnabled() : row.IsEnabled();
            if (wanted)
                return row;
            if (command_.verb == CliVerb::Remove && !other)
                other = row;
        }
        return other;
    }

    void Record(const Outcome& outcome) {
        if (!outcome.IsDone())
            notifier_.Fail(outcome.Text());
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
    CapturingView view_;
    CollectingNotifier notifier_;
    StartupList logic_;
    StationReport report_;
};

// Startup folders are read by list of every view or of Startup, and by actions on a Startup folder.
bool NeedsFiles(const CliCommand& command) {
    return !command.location || IsStartupKey(*command.location);
}

StationReport Failure(const std::string& reason) {
    StationReport report;
    report.ok = false;
    report.status = reason;
    return report;
}

}  // namespace

Station StationOf(const std::string& station, const LocalMachine& local) {
    return StationNamed(station, local.computerName, local.fileRootOf(station));
}

StationReport WorkStation(const CliCommand& command, const std::string& station, const LocalMachine& local) {
    return WorkStation(command, StationOf(station, local), local);
}

StationReport WorkStation(const CliCommand& command, const Station& target, const LocalMachine& local) {
    if (std::optional<std::string> reason = UnreachableReason(target, *local.api, NeedsFiles(command)))
        return Failure(*reason);
    return StationTask(command, local, target, StoreNameOf(target, local.computerName)).Run();
}
