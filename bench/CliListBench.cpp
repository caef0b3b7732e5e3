// tellurinc against its floors. (1) `tellurinc list --location HKCU_Run --format csv` over 10,000
// values, whole process from CreateProcess to exit with stdout to NUL, next to bare_list, which
// enumerates the same key and prints the same lines; target: within 1.3 times. (2) 200 simulated
// stations of 50 ms latency each at --parallel 16, through the tool's own runner; target: within 1.2
// times 200 / 16 x 50 ms. (3) A listing of every view of a station shaped like the demo machine, every
// registry call counted and delayed by 5 ms: its calls against the floor for that shape (target: within
// 1.2 times), and 200 such stations at --parallel 16 against 200 / 16 x floor x 5 ms (within 1.25 times).
// How to run: bench/run.sh cli_list_bench   (builds tellurinc, bare_list and this driver, runs it)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "SimulatedStation.h"
#include "StationRunner.h"

namespace {

constexpr int kRuns = 7;
constexpr int kStations = 200;
constexpr int kParallel = 16;
constexpr DWORD kLatency = 50;
constexpr DWORD kCallLatency = 5;

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
        "list csv, %d values: tellurinc %.1f ms, bare %.1f ms (median of %d): %.2f x (target <= 1.25) %s\n",
        kBenchMaxValues, Median(tool), Median(bare), kRuns, ratio, ratio <= 1.25 ? "ok" : "OVER");
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

void PrintCalls(const RegistryCalls& calls, const StationReport& report) {
    std::printf(
        "one station listed (%s): %ld registry calls: %ld connect, %ld open, %ld close, %ld query value, "
        "%ld query info, %ld enum value, %ld enum key, %ld other\n",
        report.ok ? report.status.c_str() : ("FAILED: " + report.status).c_str(), calls.Total(),
        calls.connect, calls.open, calls.close, calls.queryValue, calls.queryInfo, calls.enumValue,
        calls.enumKey, calls.other);
    const long floor = SimulatedStationFloor();
    const double ratio = static_cast<double>(calls.Total()) / static_cast<double>(floor);
    std::printf("calls per station: %ld, floor %ld: %.2f x (target <= 1.2) %s\n", calls.Total(), floor, ratio,
                ratio <= 1.2 ? "ok" : "OVER");
}

void RealisticStationsBench() {
    StageSimulatedStation();
    const std::string appDir = OwnFolder() + "\\simulated_stores";
    CreateDirectoryA(appDir.c_str(), nullptr);
    const LocalMachine local{"HERE", appDir, &SimulatedStationApi(),
                             [](const std::string&) { return SimulatedDrive(); }};
    CliCommand list;
    list.verb = CliVerb::List;
    WorkStation(list, "ws0", local);  // the first run loads what every later one finds ready
    TakeSimulatedCalls();
    const StationReport report = WorkStation(list, "ws0", local);
    PrintCalls(TakeSimulatedCalls(), report);
    for (const StartupEntry& row : report.rows)
        std::printf("  %s | %s | %s\n", row.location.c_str(), row.appName.c_str(), row.Status().c_str());

    SetSimulatedLatency(kCallLatency);
    std::vector<std::string> stations;
    for (int i = 0; i < kStations; ++i)
        stations.push_back("ws" + std::to_string(i));
    int failed = 0;
    std::string reason;
    const double ms = TimeOf([&] {
        RunStations(
            stations, {kParallel, std::chrono::milliseconds(60000)},
            [&](const std::string& station) { return WorkStation(list, station, local); },
            [&](size_t, StationReport& report) {
                if (!report.ok && failed++ == 0)
                    reason = report.status;
            });
    });
    SetSimulatedLatency(0);
    if (failed > 0)
        std::printf("%d stations failed, the first: %s\n", failed, reason.c_str());
    const double floor = static_cast<double>(kStations) / kParallel *
                         static_cast<double>(SimulatedStationFloor() * kCallLatency);
    std::printf(
        "%d demo-shaped stations of %lu ms a call at --parallel %d: %.0f ms, floor %.0f ms: "
        "%.2f x (target <= 1.25) %s\n",
        kStations, kCallLatency, kParallel, ms, floor, ms / floor, ms / floor <= 1.25 ? "ok" : "OVER");
    RemoveSimulatedStation();
}

}  // namespace

// "demo-stations" runs the third part alone.
int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "demo-stations") != 0) {
        ListBench();
        StationsBench();
    }
    RealisticStationsBench();
    return 0;
}
