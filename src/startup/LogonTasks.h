// Scheduled tasks that start at log-on or at boot, read from the task definition files Task
// Scheduler keeps under %SystemRoot%\System32\Tasks (one XML file a task, subfolders its folders).
#pragma once

#include <optional>
#include <string>
#include <vector>

struct LogonTask {
    std::string path;     // as Task Scheduler shows it: "\Contoso\Updater"
    std::string command;  // the first Exec action's command and arguments as written; else a COM class id
    bool enabled = true;  // the task and at least one of its log-on or boot triggers are enabled
};

// Larger files are no task definitions Windows writes: they are skipped, never read whole.
inline constexpr size_t kMaxTaskFileSize = 1024 * 1024;

// The log-on task a definition file's bytes (UTF-16 with a byte-order mark, or UTF-8) describe;
// nothing for a task without a log-on or boot trigger. Raises EXmlError for bytes that are no task
// definition (not XML, or another root element).
std::optional<LogonTask> ReadLogonTask(const std::string& bytes, const std::string& taskPath);

// The log-on tasks of a Tasks folder (its path ends in a backslash) and of its subfolders, in the
// order the file system lists them. A file that is no task definition is skipped with a note that
// names it and why.
void FindLogonTasks(const std::string& folder,
                    std::vector<LogonTask>& tasks,
                    std::vector<std::string>& notes);
