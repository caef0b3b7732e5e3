// Times RefreshStartupList in the real main window (MainWindow) on large locations, next to the floor
// measured in the same run: the bare enumeration of the same entries plus inserting the same rows,
// already in order, into a bare list view with redrawing off.
// How to run: bench/run.sh gui_refresh   (builds it, runs it under Wine and Xvfb in the build's prefix)
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "MainWindow.h"
#include "WidgetClasses.h"

namespace {

constexpr int kRuns = 9;

void PumpPending() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// A report list view of the main list's size and columns, and nothing else: no state images, no
// extended styles, no notifications handled.
class BareList {
public:
    BareList() {
        frame_ = CreateWindowExA(0, WC_STATICA, "", WS_POPUP | WS_VISIBLE, 0, 0, 600, 320, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        list_ = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 594, 315,
                                frame_, nullptr, GetModuleHandleA(nullptr), nullptr);
        const char* titles[] = {"App Name", "App Path", "Location", "Status"};
        for (int column = 0; column < 4; ++column) {
            LVCOLUMNA spec{};
            spec.mask = LVCF_TEXT | LVCF_WIDTH;
            spec.pszText = const_cast<char*>(titles[column]);
            spec.cx = 100;
            SendMessageA(list_, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&spec));
        }
    }
    ~BareList() { DestroyWindow(frame_); }
    BareList(const BareList&) = delete;
    BareList& operator=(const BareList&) = delete;

    HWND Frame() const { return frame_; }
    void Clear() { ListView_DeleteAllItems(list_); }
    void Insert(const std::vector<StartupEntry>& rows) {
        SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
        for (size_t index = 0; index < rows.size(); ++index) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(index);
            item.pszText = const_cast<char*>(rows[index].appName.c_str());
            const int at =
                static_cast<int>(SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
            const std::string status = rows[index].Status();
            const char* cells[] = {rows[index].appPath.c_str(), rows[index].location.c_str(), status.c_str()};
            for (int column = 1; column < 4; ++column) {
                LVITEMA sub{};
                sub.iSubItem = column;
                sub.pszText = const_cast<char*>(cells[column - 1]);
                SendMessageA(list_, LVM_SETITEMTEXTA, at, reinterpret_cast<LPARAM>(&sub));
            }
        }
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }

private:
    HWND frame_;
    HWND list_;
};

struct Result {
    std::string what;
    int rows;
    double refresh;     // RefreshStartupList
    double clear;       // the list view's part of it: its rows removed...
    double fill;        // ...and the new ones added, in order
    double paint;       // the window's paint after it
    double enumerate;   // floor: the bare enumeration
    double insert;      // floor: the rows, in order, into the bare list
    double floorPaint;  // the bare list's paint after it
    double Floor() const { return enumerate + insert; }
};

// One location to refresh, and the bare enumeration of the same entries.
struct Case {
    std::string what;
    std::string location;
    std::function<void()> enumerate;
};

class Bench {
public:
    Bench(MainWindow& form, BareList& bare) : form_(form), bare_(bare) {}

    // The cases take turns, run after run, so that they see the same conditions (the registry being
    // saved, other processes); the best time of each part counts.
    std::vector<Result> Measure(const std::vector<Case>& cases) {
        std::vector<std::vector<StartupEntry>> shown;
        std::vector<Result> best;
        for (const Case& one : cases) {
            Refresh(one.location);
            shown.push_back(ShownRows());
            best.push_back({one.what, static_cast<int>(shown.back().size()), 1e300, 1e300, 1e300, 1e300,
                            1e300, 1e300, 1e300});
        }
        for (int run = 0; run < kRuns; ++run)
            for (size_t index = 0; index < cases.size(); ++index)
                MeasureOnce(cases[index], shown[index], best[index]);
        bare_.Clear();
        return best;
    }

private:
    void Refresh(const std::string& location) {
        form_.Logic().SetCurrentLocation(location);
        form_.Logic().RefreshStartupList();
        UpdateWindow(form_.Handle());
    }

    void MeasureOnce(const Case& one, const std::vector<StartupEntry>& shown, Result& best) {
        // The list shows this location already, as it does when F5 is pressed.
        Refresh(one.location);
        PumpPending();
        best.refresh = std::min(best.refresh, TimeOf([&] { form_.Logic().RefreshStartupList(); }));
        best.paint = std::min(best.paint, TimeOf([&] { UpdateWindow(form_.Handle()); }));
        best.clear = std::min(best.clear, TimeOf([&] { form_.ShowRows({}); }));
        best.fill = std::min(best.fill, TimeOf([&] { form_.ShowRows(shown); }));
        UpdateWindow(form_.Handle());
        PumpPending();
        best.enumerate = std::min(best.enumerate, TimeOf(one.enumerate));
        bare_.Clear();
        best.insert = std::min(best.insert, TimeOf([&] { bare_.Insert(shown); }));
        best.floorPaint = std::min(best.floorPaint, TimeOf([&] { UpdateWindow(bare_.Frame()); }));
    }

    std::vector<StartupEntry> ShownRows() const {
        std::vector<StartupEntry> rows;
        for (int index = 0; index < form_.ListView().RowCount(); ++index)
            rows.push_back(form_.ListView().Row(index));
        return rows;
    }

    MainWindow& form_;
    BareList& bare_;
};

void Append(std::vector<Result>& results, const std::vector<Result>& more) {
    results.insert(results.end(), more.begin(), more.end());
}

void PrintResults(const std::vector<Result>& results) {
    std::printf("%-32s %6s %8s %6s %6s %6s | %6s %6s %6s %6s | %5s\n", "case", "rows", "refresh", "clear",
                "fill", "paint", "enum", "insert", "paint", "floor", "ratio");
    for (const Result& result : results)
        std::printf("%-32s %6d %8.1f %6.1f %6.1f %6.1f | %6.1f %6.1f %6.1f %6.1f | %5.2f\n",
                    result.what.c_str(), result.rows, result.refresh, result.clear, result.fill, result.paint,
                    result.enumerate, result.insert, result.floorPaint, result.Floor(),
                    result.refresh / result.Floor());
    std::printf(
        "ms, best of %d runs. refresh: RefreshStartupList in the main window, of which clear and fill are "
        "the\n"
        "list view's part; floor = enum + insert into a bare list view; paint: the next paint, not "
        "counted.\n",
        kRuns);
}

void PrintTargets(const Result& small, const Result& large) {
    const double toFloor = large.refresh / large.Floor();
    const double growth = large.refresh / small.refresh;
    std::printf("Target: %d values within 1.3 times the floor: %.2f times, %s\n", large.rows, toFloor,
                toFloor <= 1.3 ? "met" : "MISSED");
    std::printf("Target: %d values no more than 11 times %d: %.1f times (the floor: %.1f times), %s\n",
                large.rows, small.rows, growth, large.Floor() / small.Floor(),
                growth <= 11.0 ? "met" : "MISSED");
}

}  // namespace

int main() {
    CoInitialize(nullptr);
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    RegisterWidgetClasses(GetModuleHandleA(nullptr));
    std::vector<Result> results;
    {
        QuietNotifier notifier;
        MainWindow form(MainWindowSeams{{}, &notifier});
        form.Show();
        BareList bare;
        Bench bench(form, bare);
        const std::string store = form.Logic().Book().DisabledStoreFile();
        const std::string savedStore = ReadWholeFileOnce(store);
        DeleteFileA(store.c_str());

        // The two Run keys hold the two sizes, so that their runs can take turns.
        SetRunValues(HKEY_CURRENT_USER, 1000);
        SetRunValues(HKEY_LOCAL_MACHINE, 10000);
        Append(results,
               bench.Measure({
                   {"Run key, 1000 values", "HKCU_Run", [] { EnumerateRunKey(HKEY_CURRENT_USER); }},
                   {"Run key, 10000 values", "HKLM_Run", [] { EnumerateRunKey(HKEY_LOCAL_MACHINE); }},
               }));
        SetRunValues(HKEY_CURRENT_USER, 0);
        SetRunValues(HKEY_LOCAL_MACHINE, 0);

        for (int count : {1000, 5000}) {
            const std::vector<std::string> folders = MakeBenchProfiles(count / 5);
            Append(results, bench.Measure(
                                {{"Startup, 5 profiles, " + std::to_string(count) + " links", "Startup", [&] {
                                      ListFolder("C:\\docume~1\\*.*");
                                      for (const std::string& pattern : folders)
                                          ListFolder(pattern);
                                  }}}));
        }
        RemoveBenchProfiles();

        for (int count : {1000, 10000}) {
            WriteBenchStore(store, count);
            Append(results, bench.Measure({{"Store, " + std::to_string(count) + " records", "HKCU_Run",
                                            [&] { ReadWholeFileOnce(store); }}}));
        }
        DeleteFileA(store.c_str());
        if (!savedStore.empty())
            std::ofstream(store, std::ios::binary) << savedStore;
    }
    PrintResults(results);
    PrintTargets(results[0], results[1]);
    CoUninitialize();
    return 0;
}
