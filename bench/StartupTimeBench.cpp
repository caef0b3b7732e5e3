// Times process start to the first paint of the main window, with 20 entries in the first location,
// next to two bare programs started the same way in the same run (a window alone, and a window with the
// same standard controls, the floor of the target); the memory after start, and
// the program's file size. The program is not changed for this: the driver polls for its visible
// window, then for the window and all its controls painted (no update region left) and the list
// holding its rows.
// How to run: bench/run.sh startup_time   (builds Tellurin, the bare programs and this driver)
// Another build of the program can be measured in its place: wine bin/startup_time.exe Z:\path\other.exe
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "WindowClassNames.h"

namespace {

constexpr int kRuns = 9;
constexpr int kEntries = 20;
constexpr DWORD kPatience = 30000;

struct Program {
    std::string label;
    std::string file;
    const char* windowClass;
    int listRows;  // rows the window's list view must hold once painted; 0 when it has none
};

struct Launch {
    double visible;  // ms from CreateProcess to the window shown
    double painted;  // ms from CreateProcess to the window and its controls painted
    SIZE_T workingSet;
    SIZE_T peakWorkingSet;
    SIZE_T privateBytes;
};

// The entries of the first location the program shows; removed again by the destructor.
class RunEntries {
public:
    RunEntries() {
        for (int index = 1; index <= kEntries; ++index) {
            const std::string text =
                "\"C:\\Program Files\\Start\\tool" + std::to_string(index) + ".exe\" /tray";
            Set(Name(index), &text);
        }
    }
    ~RunEntries() {
        for (int index = 1; index <= kEntries; ++index)
            Set(Name(index), nullptr);
    }
    RunEntries(const RunEntries&) = delete;
    RunEntries& operator=(const RunEntries&) = delete;

private:
    static std::string Name(int index) { return "TellurinStartBench" + std::to_string(index); }
    static void Set(const std::string& name, const std::string* text) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kBenchRunPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return;
        if (text)
            RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text->c_str()),
                           static_cast<DWORD>(text->size() + 1));
        else
            RegDeleteValueA(key, name.c_str());
        RegCloseKey(key);
    }
};

HWND VisibleWindowOf(DWORD processId, const char* windowClass) {
    for (HWND window = FindWindowExA(nullptr, nullptr, windowClass, nullptr); window;
         window = FindWindowExA(nullptr, window, windowClass, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

BOOL CALLBACK FindUnpainted(HWND child, LPARAM found) {
    if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

bool Painted(HWND window, int listRows) {
    if (GetUpdateRect(window, nullptr, FALSE))
        return false;
    bool unpainted = false;
    EnumChildWindows(window, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    if (unpainted)
        return false;
    if (listRows == 0)
        return true;
    HWND list = FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
    return list && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) >= listRows;
}

// Polls every millisecond until the condition holds; the time it held, or nothing after kPatience.
template <typename Condition>
std::optional<LARGE_INTEGER> WaitFor(Condition condition, HANDLE process) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kPatience) {
        if (condition()) {
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            return now;
        }
        if (WaitForSingleObject(process, 1) == WAIT_OBJECT_0)
            return std::nullopt;  // ended before showing anything
    }
    return std::nullopt;
}

void Close(const PROCESS_INFORMATION& process, HWND window) {
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

std::optional<Launch> Start(const Program& program, const std::string& folder) {
    std::string commandLine = "\"" + program.file + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(program.file.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        std::printf("cannot start %s (error %lu)\n", program.file.c_str(), GetLastError());
        return std::nullopt;
    }
    HWND window = nullptr;
    const auto visible =
        WaitFor([&] { return (window = VisibleWindowOf(process.dwProcessId, program.windowClass)); },
                process.hProcess);
    const auto painted =
        visible ? WaitFor([&] { return Painted(window, program.listRows); }, process.hProcess) : std::nullopt;
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    const bool measured = painted && GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
    Close(process, window);
    if (!measured) {
        std::printf("%s: no painted window within %lu ms\n", program.label.c_str(), kPatience);
        return std::nullopt;
    }
    return Launch{Milliseconds(start, *visible), Milliseconds(start, *painted), memory.WorkingSetSize,
                  memory.PeakWorkingSetSize, memory.PagefileUsage};
}

template <typename Field>
double Median(std::vector<Launch> launches, Field field) {
    std::sort(launches.begin(), launches.end(),
              [&](const Launch& a, const Launch& b) { return field(a) < field(b); });
    return static_cast<double>(field(launches[launches.size() / 2]));
}

template <typename Field>
double Least(const std::vector<Launch>& launches, Field field) {
    double least = 1e300;
    for (const Launch& launch : launches)
        least = std::min(least, static_cast<double>(field(launch)));
    return least;
}

double Megabytes(double bytes) {
    return bytes / (1024.0 * 1024.0);
}

void Report(const std::vector<Program>& programs, const std::vector<std::vector<Launch>>& launches) {
    auto visible = [](const Launch& l) { return l.visible; };
    auto painted = [](const Launch& l) { return l.painted; };
    auto workingSet = [](const Launch& l) { return l.workingSet; };
    auto peak = [](const Launch& l) { return l.peakWorkingSet; };
    auto privateBytes = [](const Launch& l) { return l.privateBytes; };
    std::printf("%-30s %5s %12s %14s %14s %9s %9s %10s\n", "program", "runs", "shown ms", "painted ms",
                "painted best", "WS MB", "peak MB", "private MB");
    for (size_t index = 0; index < programs.size(); ++index) {
        const std::vector<Launch>& runs = launches[index];
        std::printf("%-30s %5zu %12.1f %14.1f %14.1f %9.1f %9.1f %10.1f\n", programs[index].label.c_str(),
                    runs.size(), Median(runs, visible), Median(runs, painted), Least(runs, painted),
                    Megabytes(Median(runs, workingSet)), Megabytes(Median(runs, peak)),
                    Megabytes(Median(runs, privateBytes)));
    }
    std::printf(
        "(times and sizes are medians of the runs; the first launch of each program is not counted)\n");
    const double toControls = Median(launches[2], painted) / Median(launches[1], painted);
    std::printf(
        "Target: first paint within 1.2 times the bare program with the same controls: %.2f times, %s\n",
        toControls, toControls <= 1.2 ? "met" : "MISSED");
    std::printf("First paint against the bare window program: %.2f times\n",
                Median(launches[2], painted) / Median(launches[0], painted));
    const double extra = Megabytes(Median(launches[2], privateBytes) - Median(launches[0], privateBytes));
    std::printf("Target: private memory within 3 MB of the bare program: %.1f MB more, %s\n", extra,
                extra <= 3.0 ? "met" : "MISSED");
    WIN32_FILE_ATTRIBUTE_DATA file{};
    if (GetFileAttributesExA(programs[2].file.c_str(), GetFileExInfoStandard, &file))
        std::printf("Target: executable under 1 MB (1,000,000 bytes): %lu bytes, %s\n", file.nFileSizeLow,
                    file.nFileSizeHigh == 0 && file.nFileSizeLow < 1000000 ? "met" : "MISSED");
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = OwnFolder();
    const std::vector<Program> programs = {
        {"bare window program", folder + "\\bare_window.exe", "BareWindow", 0},
        {"bare program, same controls", folder + "\\bare_controls.exe", "BareControls", kEntries},
        {"Tellurin, " + std::to_string(kEntries) + " entries", argc > 1 ? argv[1] : folder + "\\Tellurin.exe",
         kMainWindowClass, kEntries},
    };
    RunEntries entries;
    std::vector<std::vector<Launch>> launches(programs.size());
    // Alternating launches see the same conditions; the first of each only warms the file cache.
    for (int run = 0; run <= kRuns; ++run) {
        for (size_t index = 0; index < programs.size(); ++index) {
            std::optional<Launch> launch = Start(programs[index], folder);
            if (!launch)
                return 1;
            if (run > 0)
                launches[index].push_back(*launch);
        }
    }
    Report(programs, launches);
    return 0;
}
