// Shared by the benchmarks: timing, a silent notifier, and the large locations they measure.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Notifier.h"

// Prints boxes instead of showing them (a box would stop the run); plays nothing.
class QuietNotifier : public Notifier {
public:
    void ShowMessageBox(const std::string& text, MessageKind kind) override;
    void PlayPressSound() override {}
    void PlayNotifySound() override {}
    void PlayWarningSound() override {}
};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to);

template <typename Work>
double TimeOf(Work work) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return Milliseconds(start, end);
}

// The folder of the running benchmark, where the programs it measures are built too.
std::string OwnFolder();
// Milliseconds from CreateProcess to the end of the process, its stdout and stderr going to NUL.
double TimeProcess(std::string commandLine);
double Median(std::vector<double> values);
// The floor of reading a file in place: opened, and its first bytes read a 4 KiB page a read.
void ReadFilePages(const std::string& path, uint64_t bytes);
// Runs the command line with its stdout written to outPath, stderr to NUL; its exit status.
DWORD RunToFile(std::string commandLine, const std::string& outPath);

inline constexpr const char* kBenchRunPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr int kBenchMaxValues = 10000;

// Leaves exactly count benchmark values in the Run key of root (none with 0), in an order that is
// not the order of their names. Other values of the key are left alone.
void SetRunValues(HKEY root, int count);
// Gives the first count of those values another command.
void ChangeRunValues(HKEY root, int count);

// One name and its text, as the floor gathers them.
struct NameAndText {
    std::string name;
    std::string text;
};
// The floor of a registry scan: one enumeration that returns every name with its data.
std::vector<NameAndText> EnumerateRunKey(HKEY root);
// The floor of a folder scan: the names a search returns.
std::vector<std::string> ListFolder(const std::string& pattern);
std::string ReadWholeFileOnce(const std::string& path);

// Five profiles "tellurin_bench_1" to "_5" under C:\Docume~1 with shortcutsPerUser files each (the
// scan lists names only, so their content does not matter); the search patterns of their folders.
std::vector<std::string> MakeBenchProfiles(int shortcutsPerUser);
void RemoveBenchProfiles();

// A store of count records for HKCU_Run, names in an order that is not theirs.
void WriteBenchStore(const std::string& path, int count);
