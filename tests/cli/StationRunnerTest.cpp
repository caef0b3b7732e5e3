// The station runner's pool: stuck workers are replaced, deadlines run per station, --parallel holds.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>

#include "StationRunner.h"

namespace {

// At --parallel 2 both workers first get stuck on stations that come back only after their deadline;
// the six others then run on replacements, three after another, the last ending over a second after
// its worker started.
TEST(StationRunner, ReplacesStuckWorkersAndTimesEachStationFromItsOwnStart) {
    std::vector<std::string> stations{"dead0", "dead1"};
    for (int i = 2; i < 8; ++i)
        stations.push_back("ws" + std::to_string(i));
    std::atomic<int> running = 0, mostRunning = 0;
    const StationWork work = [&](const std::string& station) {
        StationReport report;
        if (station.starts_with("dead")) {
            Sleep(1500);
            report.status = "late";
            return report;
        }
        const int now = ++running;
        mostRunning = std::max(mostRunning.load(), now);
        Sleep(400);
        --running;
        report.status = "done";
        return report;
    };
    std::map<size_t, std::vector<std::string>> reports;
    const bool joined =
        RunStations(stations, {2, std::chrono::seconds(1), false}, work,
                    [&](size_t index, StationReport& report) { reports[index].push_back(report.status); });

    EXPECT_FALSE(joined);
    ASSERT_EQ(reports.size(), stations.size());
    for (size_t index = 0; index < stations.size(); ++index)
        EXPECT_EQ(reports[index],
                  std::vector<std::string>{index < 2 ? "timed out: no answer within 1 s" : "done"})
            << stations[index];
    // The stuck workers, back after their deadline, take no more stations.
    EXPECT_LE(mostRunning.load(), 2);
}

// A run whose workers all came back lets go of its work at once, and of what the work holds (the
// Remote Registry journal's open file, in tellurinc): not when the last worker's thread gets round to it.
TEST(StationRunner, AJoinedRunLetsGoOfItsWork) {
    for (int run = 0; run < 20; ++run) {
        const auto held = std::make_shared<int>(0);
        const StationWork work = [held](const std::string&) { return StationReport{}; };
        EXPECT_TRUE(RunStations({"ws1", "ws2", "ws3"}, {3, std::chrono::seconds(5), false}, work,
                                [](size_t, StationReport&) {}));
        EXPECT_EQ(held.use_count(), 2);  // held, and the caller's work
    }
}

}  // namespace
