// tellurinc compare against list. (1) `tellurinc compare BASELINE --location HKCU_Run --format csv` over
// 10,000 values, 100 of which have another command since `tellurinc list --format json` saved BASELINE;
// whole process from CreateProcess to exit with stdout to NUL, next to `tellurinc list` of the same values;
// target: within 1.2 times. (2) In this process: a baseline of 100,000 rows and about 50 MiB read and
// compared with 100,000 listed rows, 1,000 of them changed: the time of each, and the peak working set.
// How to run: bench/run.sh cli_compare_bench   (builds tellurinc and this driver, runs it)
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "BaselineFile.h"
#include "BenchSupport.h"
#include "Comparison.h"

namespace {

constexpr int kRuns = 11;
constexpr int kChanged = 100;
constexpr int kLargeRows = 100000;

size_t CountLines(const std::string& path) {
    const std::string text = ReadWholeFileOnce(path);
    size_t lines = 0;
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++lines;
    return lines;
}

void CompareBench() {
    const std::string folder = OwnFolder();
    const std::string tellurinc = "\"" + folder + "\\tellurinc.exe\" ";
    const std::string baseline = folder + "\\compare_baseline.json";
    SetRunValues(HKEY_CURRENT_USER, kBenchMaxValues);
    RunToFile(tellurinc + "list --location HKCU_Run --format json", baseline);
    ChangeRunValues(HKEY_CURRENT_USER, kChanged);
    const std::string compare = tellurinc + "compare \"" + baseline + "\" --location HKCU_Run --format csv";
    const std::string differences = folder + "\\compare_differences.csv";
    const DWORD status = RunToFile(compare, differences);
    std::printf(
        "compare of %d values, %d changed: exit status %lu, %zu lines of differences (header included)\n",
        kBenchMaxValues, kChanged, status, CountLines(differences));
    std::vector<double> compared, listed;
    for (int run = 0; run < kRuns; ++run) {
        compared.push_back(TimeProcess(compare));
        listed.push_back(TimeProcess(tellurinc + "list --location HKCU_Run --format csv"));
    }
    SetRunValues(HKEY_CURRENT_USER, 0);
    DeleteFileA(baseline.c_str());
    DeleteFileA(differences.c_str());
    const double ratio = Median(compared) / Median(listed);
    std::printf(
        "compare %.1f ms, list %.1f ms (median of %d, alternating): %.2f x (target <= 1.2) %s; "
        "fastest: %.1f ms and %.1f ms, %.2f x\n",
        Median(compared), Median(listed), kRuns, ratio, ratio <= 1.2 ? "ok" : "OVER",
        *std::min_element(compared.begin(), compared.end()), *std::min_element(listed.begin(), listed.end()),
        *std::min_element(compared.begin(), compared.end()) /
            *std::min_element(listed.begin(), listed.end()));
}

std::vector<Cells> LargeRows(bool changed) {
    std::vector<Cells> rows;
    rows.reserve(kLargeRows);
    const std::string arguments(420, 'a');
    for (int r = 0; r < kLargeRows; ++r) {
        const std::string index = std::to_string(r);
        const bool other = changed && r % (kLargeRows / 1000) == 0;
        rows.push_back(
            {"PC01", "HKCU_Run", "Entry " + index,
             "\"C:\\Program Files\\Vendor " + index + "\\tool.exe\" /" + (other ? "new " : "") + arguments,
             "Enabled"});
    }
    return rows;
}

void LargeBaselineBench() {
    const std::string path = OwnFolder() + "\\compare_large.json";
    std::vector<ListedRow> rows;
    for (const Cells& cells : LargeRows(false))
        rows.push_back({cells[0], cells[1], cells[2], cells[3], cells[4]});
    std::ofstream(path, std::ios::binary) << FormatRows(rows, OutputFormat::Json);
    rows.clear();
    rows.shrink_to_fit();
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes);
    Baseline baseline;
    const double readMs = TimeOf([&] { baseline = ReadBaseline(path, [](const Cells&) { return true; }); });
    const std::vector<Cells> listed = LargeRows(true);
    Differences differences;
    const double compareMs = TimeOf([&] {
        differences =
            Compare(baseline, baseline.Fields(), listed, std::vector<bool>(listed.size()), {"PC01"}, "PC01");
    });
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    DeleteFileA(path.c_str());
    std::printf(
        "baseline of %zu rows, %.1f MiB: read in %.0f ms; compared with %zu rows in %.0f ms, %zu "
        "changed; peak working set %.0f MiB\n",
        baseline.Rows(), static_cast<double>(attributes.nFileSizeLow) / (1 << 20), readMs, listed.size(),
        compareMs, differences.rows.size(), static_cast<double>(memory.PeakWorkingSetSize) / (1 << 20));
}

}  // namespace

int main() {
    CompareBench();
    LargeBaselineBench();
    return 0;
}
