// The journal's lines read and rewritten whole under the journal's lock, through a temporary file.
#include "RemoteRegistryJournal.h"

#include <array>
#include <functional>

#include "DisabledStore.h"
#include "LocationViews.h"
#include "StoreLock.h"
#include "SystemMessage.h"
#include "TExeInfo.h"
#include "TextFiles.h"

namespace {

constexpr std::array<const char*, 5> kStartTypeNames{"boot", "system", "automatic", "manual", "disabled"};

std::string LiveFilePath(const std::string& journalPath, const std::string& owner) {
    return journalPath + "." + owner + ".live";
}

// A live file that opens without sharing was left by a run that lost power; one that is missing by a run
// that ended. Only one held open by its run refuses.
bool IsRunning(const std::string& journalPath, const std::string& owner) {
    const UniqueFile file(CreateFileA(LiveFilePath(journalPath, owner).c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !file && GetLastError() == ERROR_SHARING_VIOLATION;
}

std::string LineText(const JournalLine& line) {
    return line.station + "\t" + StartTypeName(line.startType) + "\t" + line.owner + "\r\n";
}

std::optional<JournalLine> LineOf(std::string_view text) {
    const size_t first = text.find('\t');
    const size_t second = first == std::string_view::npos ? first : text.find('\t', first + 1);
    if (second == std::string_view::npos || first == 0 || second + 1 == text.size())
        return std::nullopt;
    const std::optional<DWORD> startType =
        StartTypeNamed(std::string(text.substr(first + 1, second - first - 1)));
    if (!startType)
        return std::nullopt;
    return JournalLine{std::string(text.substr(0, first)), *startType, std::string(text.substr(second + 1))};
}

bool SameLine(const JournalLine& line, const JournalLine& other) {
    return line.owner == other.owner && line.startType == other.startType &&
           EqualsIgnoringCase(line.station, other.station);
}

std::string ReadJournal(const std::string& path) {
    return FileExists(path) ? ReadWholeFile(path) : std::string();
}

// Rewrites the journal with the lines that keep says stay (an unreadable line always stays), then the
// added text; no line left removes the file. The caller holds the lock.
void Rewrite(const std::string& path,
             const std::function<bool(const JournalLine&)>& keep,
             const std::string& added = {}) {
    const std::string old = ReadJournal(path);
    std::string text;
    for (std::string_view raw : SplitLines(old)) {
        const std::optional<JournalLine> line = LineOf(raw);
        if (!raw.empty() && (!line || keep(*line)))
            text += std::string(raw) + "\r\n";
    }
    text += added;
    if (!text.empty())
        ReplaceFileContents(path, text);
    else if (!DeleteFileA(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND)
        throw EFileError("Cannot delete file \"" + path + "\". " + SystemMessage(GetLastError()));
}

}  // namespace

std::string RemoteRegistryJournalPath(const std::string& appDir) {
    return appDir + "\\remote-registry.journal";
}

std::string StartTypeName(DWORD startType) {
    return startType < kStartTypeNames.size() ? kStartTypeNames[startType] : std::to_string(startType);
}

std::optional<DWORD> StartTypeNamed(const std::string& name) {
    for (DWORD type = 0; type < kStartTypeNames.size(); ++type)
        if (name == kStartTypeNames[type])
            return type;
    return std::nullopt;
}

RemoteRegistryJournal::RemoteRegistryJournal(std::string path, std::string owner)
    : path_(std::move(path)), owner_(std::move(owner)) {}

std::string RemoteRegistryJournal::NewOwnerName() {
    return LocalComputerName() + "-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount64());
}

void RemoteRegistryJournal::KeepLiveFile() {
    std::lock_guard lock(liveMutex_);
    if (live_)
        return;
    const std::string path = LiveFilePath(path_, owner_);
    live_.reset(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!live_)
        throw EFileError("Cannot create file \"" + path + "\". " + SystemMessage(GetLastError()));
}

void RemoteRegistryJournal::Add(const std::string& station, DWORD startType) {
    KeepLiveFile();  // before the line: a line whose run seems gone would be put back under its feet
    const JournalLine line{station, startType, owner_};
    const StoreLock lock(path_);
    Rewrite(
        path_, [&](const JournalLine& other) { return !SameLine(other, line); }, LineText(line));
}

void RemoteRegistryJournal::Remove(const std::string& station) {
    const StoreLock lock(path_);
    Rewrite(path_, [&](const JournalLine& line) {
        return line.owner != owner_ || !EqualsIgnoringCase(line.station, station);
    });
}

JournalLeftovers RemoteRegistryJournal::Leftovers() const {
    JournalLeftovers leftovers;
    if (!FileExists(path_))
        return leftovers;  // the usual case: nothing to lock for
    const StoreLock lock(path_);
    const std::string text = ReadJournal(path_);
    for (std::string_view raw : SplitLines(text)) {
        const std::optional<JournalLine> line = LineOf(raw);
        if (!line && !raw.empty())
            leftovers.unreadable.emplace_back(raw);
        else if (line && line->owner != owner_ && !IsRunning(path_, line->owner))
            leftovers.lines.push_back(*line);
    }
    return leftovers;
}

void RemoteRegistryJournal::Forget(const JournalLine& forgotten) {
    const StoreLock lock(path_);
    bool ownerLeft = false;
    Rewrite(path_, [&](const JournalLine& line) {
        if (SameLine(line, forgotten))
            return false;
        ownerLeft = ownerLeft || line.owner == forgotten.owner;
        return true;
    });
    if (!ownerLeft)
        DeleteFileA(
            LiveFilePath(path_, forgotten.owner).c_str());  // only a stale one: a running run holds its own
}
