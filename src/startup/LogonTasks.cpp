// Reading task definition files for their log-on and boot triggers and their first action.
#include "LogonTasks.h"

#include <windows.h>

#include "TextCodec.h"
#include "TextFiles.h"
#include "UniqueHandle.h"
#include "XmlTree.h"

namespace {

// The document as UTF-8: Task Scheduler writes UTF-16 with a byte-order mark, hand-made files are
// often UTF-8.
std::string DocumentText(const std::string& bytes) {
    if (bytes.size() < 2 || bytes[0] != '\xFF' || bytes[1] != '\xFE')
        return bytes;
    std::wstring wide((bytes.size() - 2) / 2, L'\0');
    memcpy(wide.data(), bytes.data() + 2, wide.size() * sizeof(wchar_t));
    return FromWide(wide, CP_UTF8);
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// An xs:boolean element; one that is missing has the value Task Scheduler gives it: true.
bool FlagOf(const XmlElement* parent, const char* name) {
    const XmlElement* flag = parent != nullptr ? parent->Child(name) : nullptr;
    if (flag == nullptr)
        return true;
    const std::string value = Trimmed(flag->text);
    return value != "false" && value != "0";
}

std::string TextOf(const XmlElement& parent, const char* name) {
    const XmlElement* child = parent.Child(name);
    return child != nullptr ? Utf8ToAnsi(Trimmed(child->text)) : std::string();
}

std::string CommandOf(const XmlElement& task) {
    const XmlElement* actions = task.Child("Actions");
    if (actions == nullptr)
        return {};
    if (const XmlElement* exec = actions->Child("Exec")) {
        const std::string arguments = TextOf(*exec, "Arguments");
        return TextOf(*exec, "Command") + (arguments.empty() ? "" : " " + arguments);
    }
    if (const XmlElement* handler = actions->Child("ComHandler"))
        return TextOf(*handler, "ClassId");
    return {};
}

bool IsDirectory(const WIN32_FIND_DATAA& found) {
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void FindIn(const std::string& folder,
            const std::string& taskFolder,
            int depth,
            std::vector<LogonTask>& tasks,
            std::vector<std::string>& notes);

void ReadTaskFile(const std::string& file,
                  const std::string& taskPath,
                  const WIN32_FIND_DATAA& found,
                  std::vector<LogonTask>& tasks,
                  std::vector<std::string>& notes) {
    if (found.nFileSizeHigh != 0 || found.nFileSizeLow > kMaxTaskFileSize) {
        notes.push_back(file + ": larger than a task definition, skipped");
        return;
    }
    try {
        if (std::optional<LogonTask> task = ReadLogonTask(ReadWholeFile(file), taskPath))
            tasks.push_back(std::move(*task));
    } catch (const EXmlError& error) {
        notes.push_back(file + ": no task definition (" + error.what() + "), skipped");
    } catch (const EFileError& error) {
        notes.push_back(std::string(error.what()) + ", skipped");
    }
}

void FindIn(const std::string& folder,
            const std::string& taskFolder,
            int depth,
            std::vector<LogonTask>& tasks,
            std::vector<std::string>& notes) {
    WIN32_FIND_DATAA found{};
    const UniqueFind search(FindFirstFileA((folder + "*").c_str(), &found));
    if (!search)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        if (!IsDirectory(found))
            ReadTaskFile(folder + name, taskFolder + name, found, tasks, notes);
        else if (depth < 32)  // a folder that links back to itself ends here
            FindIn(folder + name + "\\", taskFolder + name + "\\", depth + 1, tasks, notes);
    } while (FindNextFileA(search.get(), &found));
}

}  // namespace

std::optional<LogonTask> ReadLogonTask(const std::string& bytes, const std::string& taskPath) {
    const XmlElement task = ParseXml(DocumentText(bytes));
    if (task.name != "Task")
        throw EXmlError("the root element is <" + task.name + ">, not <Task>");
    const XmlElement* triggers = task.Child("Triggers");
    bool startsAtLogOn = false;
    bool anyEnabled = false;
    if (triggers != nullptr)
        for (const XmlElement& trigger : triggers->children)
            if (trigger.name == "LogonTrigger" || trigger.name == "BootTrigger") {
                startsAtLogOn = true;
                anyEnabled = anyEnabled || FlagOf(&trigger, "Enabled");
            }
    if (!startsAtLogOn)
        return std::nullopt;
    return LogonTask{taskPath, CommandOf(task), anyEnabled && FlagOf(task.Child("Settings"), "Enabled")};
}

void FindLogonTasks(const std::string& folder,
                    std::vector<LogonTask>& tasks,
                    std::vector<std::string>& notes) {
    FindIn(folder, "\\", 0, tasks, notes);
}
