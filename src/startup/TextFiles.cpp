// File reads and writes over kernel32, with the system's wording of each failure.
#include "TextFiles.h"

#include <windows.h>

#include <algorithm>

#include "Errors.h"
#include "UniqueHandle.h"
#include "SystemMessage.h"

namespace {

// The error display adds its own full stop.
std::string SystemErrorText(DWORD code) {
    std::string text = SystemMessage(code);
    while (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

[[noreturn]] void ThrowFileError(const char* what, const std::string& path, DWORD code) {
    throw EFileError(std::string(what) + " \"" + path + "\". " + SystemErrorText(code));
}

bool WriteAll(HANDLE file, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, text.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// A reader or a replacing writer holds the file for a moment.
bool Passing(DWORD code) {
    return code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED;
}

constexpr std::chrono::milliseconds kRetryStep{10};
constexpr std::chrono::milliseconds kMoveWait{1000};

// Calls attempt until it succeeds, fails for another reason than a passing one, or wait is over.
template <typename Attempt>
bool Retried(Attempt attempt, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (!attempt()) {
        if (!Passing(GetLastError()) || std::chrono::steady_clock::now() >= deadline)
            return false;
        Sleep(static_cast<DWORD>(kRetryStep.count()));
    }
    return true;
}

}  // namespace

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string ReadWholeFile(const std::string& path, std::chrono::milliseconds whileReplaced) {
    // Sharing delete lets a writer move a new file over this one while it is read.
    UniqueFile file;
    const bool opened = Retried(
        [&] {
            file.reset(CreateFileA(path.c_str(), GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            return static_cast<bool>(file);
        },
        whileReplaced);
    if (!opened)
        ThrowFileError("Cannot open file", path, GetLastError());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size))
        ThrowFileError("Cannot read file", path, GetLastError());
    std::string text(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < text.size()) {
        DWORD read = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 1u << 30));
        if (!ReadFile(file.get(), text.data() + done, chunk, &read, nullptr))
            ThrowFileError("Cannot read file", path, GetLastError());
        if (read == 0)
            break;  // shortened meanwhile
        done += read;
    }
    text.resize(done);
    return text;
}

void AppendToFile(const std::string& path, const std::string& text) {
    const bool existed = FileExists(path);
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        ThrowFileError(existed ? "Cannot open file" : "Cannot create file", path, GetLastError());
    LARGE_INTEGER end{};
    if (!SetFilePointerEx(file.get(), LARGE_INTEGER{}, &end, FILE_END))
        ThrowFileError("Cannot write to file", path, GetLastError());
    if (!WriteAll(file.get(), text)) {
        const DWORD code = GetLastError();
        SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN);
        SetEndOfFile(file.get());
        ThrowFileError("Cannot write to file", path, code);
    }
}

void ReplaceFileContents(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".tmp";
    {
        UniqueFile file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            ThrowFileError("Cannot create file", temporary, GetLastError());
        if (!WriteAll(file.get(), text) || !FlushFileBuffers(file.get())) {
            const DWORD code = GetLastError();
            file.reset();
            DeleteFileA(temporary.c_str());
            ThrowFileError("Cannot write to file", temporary, code);
        }
    }
    const bool moved = Retried(
        [&] {
            return MoveFileExA(temporary.c_str(), path.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
        },
        kMoveWait);
    if (!moved) {
        const DWORD code = GetLastError();
        DeleteFileA(temporary.c_str());
        ThrowFileError("Cannot replace file", path, code);
    }
}
