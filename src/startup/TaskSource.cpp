// Startup entries that are scheduled tasks started at log-on or boot: read from the station's task
// definition files, switched on and off through its Task Scheduler, which keeps the state itself.
#include "SourceKind.h"

#include "LogonTasks.h"
#include "ProgramFile.h"
#include "StartupBook.h"
#include "StartupMessages.h"
#include "SystemMessage.h"

namespace {

inline constexpr const char* kCreatedInTaskScheduler =
    "Could NOT add a task: a task is created in Task Scheduler, nothing was changed !";
inline constexpr const char* kDeletedInTaskScheduler =
    "Could NOT remove a task: a task is deleted in Task Scheduler, nothing was changed !";

class LogonTasks : public SwitchedKind {
public:
    LogonTasks() : SwitchedKind(kCreatedInTaskScheduler, kDeletedInTaskScheduler) {}

    void Scan(StartupBook& book, const SourceSite& site, StartupPage& page) const override {
        const ProgramFileFinder finder(book.CurrentStation(), book.Api());
        const std::string folder = finder.Reachable(finder.WindowsFolder() + "\\System32\\Tasks\\");
        if (folder.empty())
            return;
        std::vector<LogonTask> tasks;
        FindLogonTasks(folder, tasks, page.notes);
        for (LogonTask& task : tasks) {
            StartupEntry row =
                StartupEntry::Enabled(std::move(task.path), std::move(task.command), site.source.tag);
            if (!task.enabled)
                row.state = EntryState::SwitchedOff;
            page.rows.push_back(std::move(row));
        }
    }

    RowProgram ProgramOf(const StartupEntry& row) const override { return {row.appPath, false, false}; }

    Outcome SwitchOff(StartupBook& book,
                      const std::string& locationKey,
                      const std::string& appName,
                      const std::string&) const override {
        return SetEnabled(book, locationKey, appName, false);
    }

    Outcome SwitchOn(StartupBook& book,
                     const std::string& locationKey,
                     const std::string& appName,
                     const std::string&) const override {
        return SetEnabled(book, locationKey, appName, true);
    }

private:
    // The row's name is the task's path, as Task Scheduler names it.
    static Outcome SetEnabled(StartupBook& book,
                              const std::string& locationKey,
                              const std::string& path,
                              bool enabled) {
        const Station& station = book.CurrentStation();
        const long result =
            book.TaskScheduler().setEnabled(station.IsConnected() ? station.Name() : "", path, enabled);
        if (result < 0)
            return Outcome::Failed(AtLocation(
                locationKey, "Could NOT " + std::string(enabled ? "enable" : "disable") + " the task '" +
                                 path + "': " + SystemMessage(static_cast<unsigned long>(result))));
        return Outcome::Done();
    }
};

}  // namespace

const SourceKind& LogonTasksKind() {
    static const LogonTasks kind;
    return kind;
}
