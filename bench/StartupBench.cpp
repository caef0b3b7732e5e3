// Times RefreshStartupList on large locations against the bare system calls it cannot avoid, with a
// view that only counts rows (bench/GuiRefreshBench.cpp measures the real window).
// How to run: bench/run.sh startup_bench   (builds it, runs it under Wine in the build's own prefix)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "StartupPresenter.h"

namespace {

constexpr int kRuns = 7;

class CountingView : public StartupView {
public:
    size_t rows = 0;
    void ShowRows(std::vector<StartupEntry> shown) override { rows = shown.size(); }
    void SetCountLabel(const std::string&) override {}
    void SetNotes(const std::string&) override {}
    void SetUsers(const std::vector<std::string>&) override {}
    void Focus(StartupField) override {}
};

struct Result {
    std::string what;
    size_t rows;
    double refresh;
    double floor;
};

Result Measure(const std::string& what,
               StartupPresenter& list,
               CountingView& view,
               const std::function<void()>& floor) {
    // Alternating runs see the same conditions (the registry being saved, other processes); the best
    // of each counts.
    double refresh = 1e300, bare = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        refresh = std::min(refresh, TimeOf([&] { list.RefreshStartupList(); }));
        bare = std::min(bare, TimeOf(floor));
    }
    return {what, view.rows, refresh, bare};
}

}  // namespace

int main() {
    const std::string appDir = "C:\\tellurin_bench";
    std::filesystem::create_directories(appDir);
    QuietNotifier notifier;
    CountingView view;
    StartupPresenter list(view, notifier);
    list.Book().SetAppDir(appDir);
    list.Book().SetComputerName("BENCH");
    list.SetCurrentLocation("HKCU_Run");
    std::vector<Result> results;

    for (int count : {1000, 10000}) {
        SetRunValues(HKEY_CURRENT_USER, count);
        results.push_back(Measure("HKCU Run, " + std::to_string(count) + " values", list, view,
                                  [] { EnumerateRunKey(HKEY_CURRENT_USER); }));
    }
    SetRunValues(HKEY_CURRENT_USER, 0);

    const std::vector<std::string> folders = MakeBenchProfiles(200);
    list.SetCurrentLocation("Startup");
    results.push_back(Measure("Startup, 5 profiles, 1000 shortcuts", list, view, [&] {
        ListFolder("C:\\docume~1\\*.*");
        for (const std::string& pattern : folders)
            ListFolder(pattern);
    }));
    RemoveBenchProfiles();

    const std::string store = list.Book().DisabledStoreFile();
    WriteBenchStore(store, 10000);
    list.SetCurrentLocation("HKCU_Run");
    results.push_back(Measure("Store, 10000 records", list, view, [&] { ReadWholeFileOnce(store); }));
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
