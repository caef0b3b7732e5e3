// Loading, appending to, listing and rewriting the DisabledStore.
#include "DisabledStore.h"

#include <windows.h>

#include "Errors.h"
#include "LocationKeys.h"
#include "StartupSources.h"
#include "StoreEncoding.h"
#include "TextFiles.h"

namespace {

// A store that another process is replacing cannot be opened for a moment.
constexpr std::chrono::milliseconds kStoreReplaceWait{1000};

constexpr const char* kLineEnd = "\r\n";

std::string JoinLines(const std::vector<std::string_view>& lines) {
    std::string text;
    for (std::string_view line : lines) {
        if (IsAscii(line))
            text += line;
        else
            text += ToStoreLine(line);
        text += kLineEnd;
    }
    return text;
}

// Appending to such a text would glue the record to its last line, or hide it behind a NUL.
bool EndsWithLineBreak(const std::string& text) {
    return text.empty() ||
           (text.find('\0') == std::string::npos && (text.back() == '\n' || text.back() == '\r'));
}

std::string LineAt(const std::vector<std::string_view>& lines, size_t index) {
    if (index >= lines.size())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return std::string(lines[index]);
}

// The Location of the row that line starts in the view of location, or nothing when it starts none.
std::optional<std::string> RowLocationOf(std::string_view line,
                                         const std::string& location,
                                         const std::optional<std::string>& user) {
    if (location != kStartupTag)
        return line == location ? std::optional(location) : std::nullopt;
    if (!IsStartupKey(std::string(line)))
        return std::nullopt;
    const std::string lineUser = UserOfStartupKey(std::string(line));
    if (user && *user != lineUser)
        return std::nullopt;
    return StartupRowLocation(lineUser);
}

}  // namespace

std::string AppDirOf(const std::string& exePath) {
    const size_t end = exePath.find_last_of("\\:");
    if (end == std::string::npos)
        return {};
    std::string folder = exePath.substr(0, end + 1);
    if (folder.size() > 1 && folder.back() == '\\' && folder[folder.size() - 2] != ':')
        folder.pop_back();
    return folder;
}

std::string DisabledStorePath(const std::string& appDir, const std::string& computerName) {
    return appDir + "\\" + computerName + "_reg_disabled.ini";
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '\r' && text[at] != '\n')
            continue;
        lines.push_back(text.substr(start, at - start));
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
            ++at;
        start = at + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::string DisabledStore::LoadText() const {
    return FileExists(path_) ? ReadWholeFile(path_, kStoreReplaceWait) : std::string();
}

void DisabledStore::LoadLines(Lines& loaded) const {
    loaded.text = LoadText();
    loaded.lines = SplitLines(loaded.text);
    for (std::string_view& line : loaded.lines)
        if (!IsAscii(line))
            line = loaded.converted.emplace_back(FromStoreLine(line, legacyCodePage_));
}

StoreSnapshot DisabledStore::AppendDisabledRecord(const std::string& locationKey,
                                                  const std::string& appName,
                                                  const std::string& appPath) const {
    const std::string record = JoinLines({locationKey, appName, appPath});
    StoreSnapshot before{FileExists(path_), LoadText()};
    if (EndsWithLineBreak(before.text))
        AppendToFile(path_, record);
    else {
        Lines loaded;
        LoadLines(loaded);
        ReplaceFileContents(path_, JoinLines(loaded.lines) + record);
    }
    return before;
}

void DisabledStore::Restore(const StoreSnapshot& before) const {
    if (before.existed)
        ReplaceFileContents(path_, before.text);
    else if (!DeleteFileA(path_.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        ReplaceFileContents(path_, {});  // an empty store lists nothing, as no store does
}

template <typename RowLocation>
void DisabledStore::AddRowsWhere(RowLocation rowLocationOf, std::vector<StartupEntry>& rows) const {
    Lines loaded;
    LoadLines(loaded);
    const std::vector<std::string_view>& lines = loaded.lines;
    for (size_t index = 0; index < lines.size(); ++index) {
        std::optional<std::string> rowLocation = rowLocationOf(lines[index]);
        if (!rowLocation)
            continue;
        std::string appName = LineAt(lines, index + 1);
        std::string appPath = LineAt(lines, index + 2);
        rows.push_back(
            StartupEntry::Disabled(std::move(appName), std::move(appPath), std::move(*rowLocation)));
    }
}

void DisabledStore::AddDisabledRows(const std::string& location,
                                    const std::optional<std::string>& user,
                                    std::vector<StartupEntry>& rows) const {
    AddRowsWhere([&](std::string_view line) { return RowLocationOf(line, location, user); }, rows);
}

void DisabledStore::AddUserDisabledRows(const StartupSource& kind, std::vector<StartupEntry>& rows) const {
    AddRowsWhere(
        [&](std::string_view line) -> std::optional<std::string> {
            const std::optional<UserKey> key = UserKeyOf(std::string(line));
            if (!key || key->kind != &kind)
                return std::nullopt;
            return UserRowLocation(key->user, kind);
        },
        rows);
}

void DisabledStore::RemoveDisabledEntry(const std::string& locationKey, const std::string& appName) const {
    Lines loaded;
    LoadLines(loaded);
    const std::vector<std::string_view>& lines = loaded.lines;
    std::vector<std::string_view> kept;
    for (size_t first = 0; first + 2 < lines.size(); first += 3) {
        if (lines[first] == locationKey && lines[first + 1] == appName)
            continue;
        kept.insert(kept.end(), lines.begin() + first, lines.begin() + first + 3);
    }
    ReplaceFileContents(path_, JoinLines(kept));
}
