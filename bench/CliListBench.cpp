// tellurinc against its floors. (1) `tellurinc list --location HKCU_Run --format csv` over 10,000
// values, whole process from CreateProcess to exit with stdout to NUL, next to bare_list, which
// enumerates the same key and prints the same lines; target: within 1.3 times. (2) 200 simulated
// stations of 50 ms latency each at --parallel 16, through the tool's own runner; target: within 1.2
// times 200 / 16 x 50 ms.
// How to run: bench/run.sh cli_list_bench   (builds tellurinc, bare_list and this driver, runs it)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "StationRunner.h"

namespace {

constexpr int kRuns = 7;
constexpr int kStations = 200;
constexpr int kParallel = 16;
constexpr DWORD kLatency = 50;

void ListBench() {
    SetRunValues(HKEY_CURRENT_USER, kBenchMaxValues);
    const std::string folder = OwnFolder();
    const std::string tellurinc = "\"" + folder + "\\tellurinc.exe\" list --format csv --location ";
    std::vector<double> tool, bare, empty;
    for (int run = 0; run < kRuns; ++run) {
        tool.push_back(TimeProcess(tellurinc + "HKCU_Run"));
        bare.push_back(TimeProcess("\"" + folder + "\\bare_list.exe\""));
        empty.push_back(TimeProcess(tellurinc + "HKU_RunOnce"));  // the fixed part: a location that is empty
    }
    SetRunValues(HKEY_CURRENT_USER, 0);
    std::printf("tellurinc on an empty location: %.1f ms\n", Median(empty));
    const double ratio = Median(tool) / Median(bare);
    std::printf(
        "list csv, %d values: tellurinc %.1f ms, bare %.1f ms (median of %d): %.2f x (target <= 1.3) %s\n",
        kBenchMaxValues, Median(tool), Median(bare), kRuns, ratio, ratio <= 1.3 ? "ok" : "OVER");
}

void StationsBench() {
    std::vector<std::string> stations;
    for (int i = 0; i < kStations; ++i)
        stations.push_back("ws" + std::to_string(i));
    const StationWork work = [](const std::string&) {
        Sleep(kLatency);
        StationReport report;
        report.status = "0 entries";
        return report;
    };
    int finished = 0;
    const double ms = TimeOf([&] {
        RunStations(stations, {kParallel, std::chrono::milliseconds(30000)}, work,
                    [&](size_t, StationReport&) { ++finished; });
    });
    const double floor = static_cast<double>(kStations) / kParallel * kLatency;
    std::printf("%d stations of %lu ms at --parallel %d: %.1f ms, floor %.1f ms: %.2f x (target <= 1.2) %s\n",
                finished, kLatency, kParallel, ms, floor, ms / floor, ms / floor <= 1.2 ? "ok" : "OVER");
}

}  // namespace

int main() {
    ListBench();
    StationsBench();
    return 0;
}
