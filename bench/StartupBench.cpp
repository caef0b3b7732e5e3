// Times RefreshStartupList on large locations against the bare system calls it cannot avoid.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "startup/StartupList.h"

namespace {

constexpr const char* kRunPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kValuePrefix = "TellurinBench";
constexpr int kRuns = 7;

class QuietNotifier : public Notifier {
public:
    void ShowMessageBox(const std::string& text, MessageKind) override {
        std::printf("message: %s\n", text.c_str());
    }
    void PlayPressSound() override {}
    void PlayNotifySound() override {}
    void PlayWarningSound() override {}
};

class CountingView : public StartupView {
public:
    size_t rows = 0;
    void ShowRows(const std::vector<StartupEntry>& shown) override { rows = shown.size(); }
    void SetCountLabel(const std::string&) override {}
    void SetUsers(const std::vector<std::string>&) override {}
    void Focus(StartupField) override {}
};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

template <typename Work>
double TimeOf(Work work) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end);
}

// The floor of a registry scan: one enumeration that returns every name with its data.
void EnumerateRunKey() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    DWORD count = 0, longestName = 0, longestData = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                     &longestData, nullptr, nullptr);
    std::vector<char> name(longestName + 1);
    std::vector<BYTE> data(longestData + 1);
    for (DWORD index = 0; index < count; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size()), dataSize = static_cast<DWORD>(data.size()),
              type = 0;
        RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize);
    }
    RegCloseKey(key);
}

void ListFolder(const std::string& pattern) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    while (FindNextFileA(search, &entry)) {
    }
    FindClose(search);
}

void ReadFileOnce(const std::string& path) {
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::vector<char> buffer(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr);
    CloseHandle(file);
}

void SetRunValues(int count) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kRunPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    char name[64], text[128];
    for (int index = 0; index < 10000; ++index) {
        std::snprintf(name, sizeof name, "%s%05d", kValuePrefix, (index * 7919) % 10000);
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

struct Result {
    std::string what;
    size_t rows;
    double refresh;
    double floor;
};

Result Measure(const std::string& what,
               StartupList& list,
               CountingView& view,
               void (*floor)(const void*),
               const void* floorArgument) {
    // Alternating runs see the same conditions (the registry being saved, other processes); the best
    // of each counts.
    double refresh = 1e300, bare = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        refresh = std::min(refresh, TimeOf([&] { list.RefreshStartupList(); }));
        bare = std::min(bare, TimeOf([&] { floor(floorArgument); }));
    }
    return {what, view.rows, refresh, bare};
}

}  // namespace

int main() {
    const std::string appDir = "C:\\tellurin_bench";
    std::filesystem::create_directories(appDir);
    QuietNotifier notifier;
    CountingView view;
    StartupList list(view, notifier);
    list.SetAppDir(appDir);
    list.SetComputerName("BENCH");
    list.SetCurrentLocation("HKCU_Run");
    std::vector<Result> results;

    for (int count : {1000, 10000}) {
        SetRunValues(count);
        results.push_back(Measure(
            "HKCU Run, " + std::to_string(count) + " values", list, view,
            [](const void*) { EnumerateRunKey(); }, nullptr));
    }
    SetRunValues(0);

    std::vector<std::string> folders;
    for (int user = 1; user <= 5; ++user) {
        const std::string folder =
            "C:\\Docume~1\\tellurin_bench_" + std::to_string(user) + "\\Start Menu\\Programs\\Startup\\";
        std::filesystem::create_directories(folder);
        for (int link = 0; link < 200; ++link)
            std::ofstream(folder + "Tool" + std::to_string(link) + ".lnk") << "L";
        folders.push_back(folder + "*.lnk");
    }
    list.SetCurrentLocation("Startup");
    results.push_back(Measure(
        "Startup, 5 profiles, 1000 shortcuts", list, view,
        [](const void* patterns) {
            ListFolder("C:\\docume~1\\*.*");
            for (const auto& pattern : *static_cast<const std::vector<std::string>*>(patterns))
                ListFolder(pattern);
        },
        &folders));
    for (int user = 1; user <= 5; ++user)
        std::filesystem::remove_all("C:\\Docume~1\\tellurin_bench_" + std::to_string(user));

    const std::string store = list.DisabledStoreFile();
    {
        std::ofstream file(store, std::ios::binary);
        for (int record = 0; record < 10000; ++record)
            file << "HKCU_Run\r\nDisabled" << (record * 7919) % 10000 << "\r\nC:\\Tools\\tool" << record
                 << ".exe /quiet\r\n";
    }
    list.SetCurrentLocation("HKCU_Run");
    results.push_back(Measure(
        "Store, 10000 records", list, view,
        [](const void* path) { ReadFileOnce(*static_cast<const std::string*>(path)); }, &store));
    std::filesystem::remove_all(appDir);

    std::printf("%-38s %7s %12s %10s %7s\n", "case", "rows", "refresh ms", "floor ms", "ratio");
    for (const Result& result : results)
        std::printf("%-38s %7zu %12.2f %10.2f %7.2f\n", result.what.c_str(), result.rows, result.refresh,
                    result.floor, result.refresh / result.floor);
    std::printf("HKCU Run: 10000 values take %.1f times as long as 1000 (the bare enumeration: %.1f times)\n",
                results[1].refresh / results[0].refresh, results[1].floor / results[0].floor);
    std::vector<StartupEntry> rows;
    for (int row = 0; row < 10000; ++row)
        rows.push_back(
            StartupEntry::Disabled("Disabled" + std::to_string((row * 7919) % 10000), "x", "HKCU_Run"));
    std::printf("Ordering 10000 rows by App Name alone: %.2f ms\n", TimeOf([&] { OrderByAppName(rows); }));
    return 0;
}
