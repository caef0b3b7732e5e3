// One station's list or action through the startup book, its rows and what went wrong kept.
#include "StationTask.h"

#include <functional>
#include <iterator>

#include "Errors.h"
#include "LocationKeys.h"
#include "LocationViews.h"
#include "ProfileFolders.h"
#include "StartupBook.h"
#include "StartupSources.h"
#include "StartupMessages.h"
#include "StationName.h"
#include "StoreLock.h"

namespace {

// One station's list or action through the book: its rows, and its messages with the last failure.
class StationTask {
public:
    StationTask(const CliCommand& command,
                const LocalMachine& local,
                Station station,
                const std::string& storeName)
        : command_(command), book_(*local.api) {
        book_.SetAppDir(local.appDir);
        book_.SetComputerName(storeName);
        book_.SetStation(std::move(station));
        book_.SetMissingKeyIsEmpty(true);  // to a script, a key that is not there is an empty location
        book_.KeepLoggedOnUsers(true);
    }

    StationReport Run() {
        try {
            if (command_.verb == CliVerb::List)
                List();
            else
                Act();
        } catch (const EAbort&) {
            Fail("Operation aborted");
        } catch (const std::exception& error) {
            Fail(DefaultErrorText(error.what()));
        }
        return Finish();
    }

private:
    // The page of a view; what could not be read is a failure of the station.
    StartupPage Read(const std::function<void(StartupPage&)>& read) {
        StartupPage page;
        try {
            read(page);
        } catch (const std::exception& error) {
            NoteProblems(page);
            Fail(DefaultErrorText(error.what()));  // the rows read before it still count
            return page;
        }
        NoteProblems(page);
        report_.messages.insert(report_.messages.end(), page.notes.begin(), page.notes.end());
        return page;
    }

    void NoteProblems(const StartupPage& page) {
        for (const std::string& problem : page.problems)
            Fail(problem);
    }

    void List() {
        for (const StartupSource* item : Views()) {
            const std::string view = item->tag;
            if (command_.location && *command_.location != view)
                continue;
            StartupPage page = Read([&](StartupPage& into) {
                if (command_.user && view == kStartupTag)
                    book_.ReadUserFolder(ProfileNamed(*command_.user).value_or(*command_.user), into);
                else
                    book_.ReadView(view, into);
            });
            if (command_.user)
                KeepRowsOf(*command_.user, page.rows);
            report_.rows.insert(report_.rows.end(), std::make_move_iterator(page.rows.begin()),
                                std::make_move_iterator(page.rows.end()));
        }
        const size_t count = report_.rows.size();
        report_.status = std::to_string(count) + (count == 1 ? " entry" : " entries");
    }

    // Only the rows whose Location names the user: "alice\Startup", "alice\Run" and the like.
    static void KeepRowsOf(const std::string& user, std::vector<StartupEntry>& rows) {
        std::erase_if(rows, [&](const StartupEntry& row) {
            const std::string rowUser = UserPartOf(row.location);
            return rowUser.empty() || !EqualsIgnoringCase(rowUser, user);
        });
    }

    // The profile name as the Users list shows it, for a name typed in any letter case.
    std::optional<std::string> ProfileNamed(const std::string& user) const {
        for (const std::string& name : book_.Profiles().Names())
            if (EqualsIgnoringCase(name, user))
                return name;
        return std::nullopt;
    }

    // The list of the row's view is read first, to find the row as a person would pick it.
    void Act() {
        const std::string& location = *command_.location;
        const StartupPage page =
            Read([&](StartupPage& into) { book_.ReadView(ViewOfLocation(location), into); });
        if (failed_)
            return;  // a location that cannot be read is not acted on
        if (command_.verb == CliVerb::Add) {
            Add(location);
            return;
        }
        std::optional<StartupEntry> row = PickRow(page.rows);
        if (!row)
            row = PickRowWhileNoneChanges(location);
        if (!row) {
            const char* which = command_.verb == CliVerb::Disable  ? "enabled "
                                : command_.verb == CliVerb::Enable ? "disabled "
                                                                   : "";
            Fail(AtLocation(location,
                            "there is NO " + std::string(which) + "entry '" + command_.name + "' !"));
            return;
        }
        Record(command_.verb == CliVerb::Disable  ? book_.DisableEntry(*row, ViewOfLocation(location))
               : command_.verb == CliVerb::Enable ? book_.EnableEntry(*row)
                                                  : book_.RemoveEntry(*row));
    }

    void Add(const std::string& location) {
        std::string locationKey = location;
        if (location == kStartupTag) {
            Fail(AtLocation(location, kUserMissing));
            return;
        }
        if (UserKeyKindOfRow(location) != nullptr) {
            locationKey = ToLocationKey(location);  // a logged-on user's own key
        } else if (!UserPartOf(location).empty()) {
            const std::optional<std::string> user = ProfileNamed(UserPartOf(location));
            if (!user) {
                Fail(AtLocation(location, "there is NO user profile '" + UserPartOf(location) + "' !"));
                return;
            }
            locationKey = LocationKeyOf(kStartupTag, *user);
        }
        Record(book_.AddEntry(locationKey, command_.name, command_.command));
    }

    // Another Tellurin changing the same key meanwhile can hide a row from a listing (the values after
    // one it removes move up while they are read): the view is read once more while no other Tellurin
    // changes anything. The operation takes the lock again itself.
    std::optional<StartupEntry> PickRowWhileNoneChanges(const std::string& location) {
        const StoreLock held(book_.DisabledStoreFile());
        StartupPage page;
        try {
            book_.ReadView(ViewOfLocation(location), page);
        } catch (const std::exception&) {
            return std::nullopt;  // what the first reading said stands
        }
        return PickRow(page.rows);
    }

    // Disable takes an enabled row, enable a disabled one (or one Windows holds off), remove either,
    // the one that starts first.
    std::optional<StartupEntry> PickRow(const std::vector<StartupEntry>& rows) const {
        std::optional<StartupEntry> other;
        for (const StartupEntry& row : rows) {
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
            Fail(outcome.Text());
    }

    // Whatever was said before the last failure goes out before it; the last failure is the reason.
    void Fail(const std::string& text) {
        if (failed_)
            report_.messages.push_back(std::move(report_.status));
        report_.status = text;
        failed_ = true;
    }

    StationReport Finish() {
        report_.ok = !failed_;
        if (failed_ && command_.verb != CliVerb::List)
            report_.rows.clear();
        else if (!failed_ && command_.verb != CliVerb::List)
            report_.status = "done";
        return std::move(report_);
    }

    const CliCommand& command_;
    StartupBook book_;
    StationReport report_;
    bool failed_ = false;
};

// The station's files are read by list of every view, of Startup or of the log-on tasks, and by
// actions on a Startup folder or a task.
bool NeedsFiles(const CliCommand& command) {
    return !command.location || IsStartupKey(*command.location) ||
           ViewOfLocation(*command.location) == kTasksView;
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
