// Timing, registry values, profiles and the store the benchmarks measure.
#include "BenchSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "UniqueHandle.h"

namespace {

constexpr const char* kValuePrefix = "TellurinBench";
constexpr int kBenchUsers = 5;

std::string BenchProfile(int user) {
    return "C:\\Docume~1\\tellurin_bench_" + std::to_string(user);
}

// A permutation of 0..kBenchMaxValues-1, so that no scan meets the names already in order.
int Scrambled(int index) {
    return (index * 7919) % kBenchMaxValues;
}

}  // namespace

void QuietNotifier::ShowMessageBox(const std::string& text, MessageKind) {
    std::printf("message: %s\n", text.c_str());
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

void SetRunValues(HKEY root, int count) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, kBenchRunPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    char name[64], text[128];
    for (int index = 0; index < kBenchMaxValues; ++index) {
        std::snprintf(name, sizeof name, "%s%05d", kValuePrefix, Scrambled(index));
        if (index < count) {
            std::snprintf(text, sizeof text, "\"C:\\Program Files\\Bench\\tool%05d.exe\" -tray", index);
            RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                           static_cast<DWORD>(std::strlen(text) + 1));
        } else {
            RegDeleteValueA(key, name);
        }
    }
    RegCloseKey(key);
}

void ChangeRunValues(HKEY root, int count) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, kBenchRunPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    char name[64], text[128];
    for (int index = 0; index < count; ++index) {
        std::snprintf(name, sizeof name, "%s%05d", kValuePrefix, Scrambled(index));
        std::snprintf(text, sizeof text, "\"C:\\Program Files\\Bench\\tool%05d.exe\" -changed", index);
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>(std::strlen(text) + 1));
    }
    RegCloseKey(key);
}

std::vector<NameAndText> EnumerateRunKey(HKEY root) {
    std::vector<NameAndText> values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, kBenchRunPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return values;
    DWORD count = 0, longestName = 0, longestData = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                     &longestData, nullptr, nullptr);
    std::vector<char> name(longestName + 1);
    std::vector<char> data(longestData + 1);
    values.reserve(count);
    for (DWORD index = 0; index < count; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size()), dataSize = static_cast<DWORD>(data.size()),
              type = 0;
        if (RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type,
                          reinterpret_cast<BYTE*>(data.data()), &dataSize) == ERROR_SUCCESS)
            values.push_back({std::string(name.data(), nameLength), std::string(data.data())});
    }
    RegCloseKey(key);
    return values;
}

std::vector<std::string> ListFolder(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.emplace_back(entry.cFileName);
    while (FindNextFileA(search, &entry));
    FindClose(search);
    return names;
}

std::string ReadWholeFileOnce(const std::string& path) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    return text;
}

std::vector<std::string> MakeBenchProfiles(int shortcutsPerUser) {
    RemoveBenchProfiles();
    std::vector<std::string> patterns;
    for (int user = 1; user <= kBenchUsers; ++user) {
        const std::string folder = BenchProfile(user) + "\\Start Menu\\Programs\\Startup\\";
        std::filesystem::create_directories(folder);
        for (int link = 0; link < shortcutsPerUser; ++link)
            std::ofstream(folder + "Tool" + std::to_string(Scrambled(link)) + ".lnk") << "L";
        patterns.push_back(folder + "*.lnk");
    }
    return patterns;
}

void RemoveBenchProfiles() {
    for (int user = 1; user <= kBenchUsers; ++user)
        std::filesystem::remove_all(BenchProfile(user));
}

void WriteBenchStore(const std::string& path, int count) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    for (int record = 0; record < count; ++record)
        file << "HKCU_Run\r\nDisabled" << Scrambled(record) << "\r\nC:\\Tools\\tool" << record
             << ".exe /quiet\r\n";
}

std::string OwnFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path, length);
    return full.substr(0, full.find_last_of('\\'));
}

namespace {

// Runs the process to its end with stdout to out and stderr to NUL: milliseconds, and its exit status.
double TimeProcessTo(std::string& commandLine, HANDLE out, DWORD& status) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out ? out : nul;
    startup.hStdError = nul;
    PROCESS_INFORMATION process{};
    status = static_cast<DWORD>(-1);
    const double ms = TimeOf([&] {
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                            &startup, &process))
            return;
        WaitForSingleObject(process.hProcess, INFINITE);
    });
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(nul);
    return ms;
}

}  // namespace

double TimeProcess(std::string commandLine) {
    DWORD status = 0;
    return TimeProcessTo(commandLine, nullptr, status);
}

DWORD RunToFile(std::string commandLine, const std::string& outPath) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileA(outPath.c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr);
    DWORD status = 0;
    TimeProcessTo(commandLine, out, status);
    CloseHandle(out);
    return status;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void ReadFilePages(const std::string& path, uint64_t bytes) {
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_RANDOM_ACCESS, nullptr));
    char page[4096];
    for (uint64_t at = 0; at < bytes; at += sizeof page) {
        OVERLAPPED offset{};
        offset.Offset = static_cast<DWORD>(at);
        DWORD read = 0;
        ReadFile(file.get(), page, static_cast<DWORD>(std::min<uint64_t>(sizeof page, bytes - at)), &read,
                 &offset);
    }
}
