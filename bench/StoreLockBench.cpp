// Times one disable that takes the store's lock against the same disable inside a lock already held,
// where taking it again costs nothing: the difference is the lock file's open, lock, unlock and close.
// How to run: bench/run.sh store_lock_bench
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "BenchSupport.h"
#include "startup/StartupList.h"
#include "startup/StoreLock.h"
#include "startup/TextFiles.h"

namespace {

constexpr int kRuns = 100;
constexpr const char* kName = "TellurinLockBench";
constexpr const char* kPath = "C:\\tellurin_lock_bench\\bench.exe";

class SilentView : public StartupView {
public:
    void ShowRows(const std::vector<StartupEntry>&) override {}
    void SetCountLabel(const std::string&) override {}
    void SetUsers(const std::vector<std::string>&) override {}
    void Focus(StartupField) override {}
};

// The value back in the Run key and the store as it was, outside the timing.
void Reset(const std::string& store, const std::string& text) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kBenchRunPath, kName, REG_SZ, kPath,
                    static_cast<DWORD>(strlen(kPath) + 1));
    ReplaceFileContents(store, text);
}

}  // namespace

int main() {
    const std::string appDir = "C:\\tellurin_lock_bench";
    std::filesystem::create_directories(appDir);
    QuietNotifier notifier;
    SilentView view;
    StartupList list(view, notifier);
    list.SetAppDir(appDir);
    list.SetComputerName("BENCH");
    list.SetCurrentLocation("HKCU_Run");
    const std::string store = list.DisabledStoreFile();
    WriteBenchStore(store, 100);
    const std::string storeText = ReadWholeFile(store);

    double locked = 1e300, unlocked = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        Reset(store, storeText);
        locked = std::min(locked, TimeOf([&] { list.DisableStartupEntry("HKCU_Run", kName, kPath, ""); }));
        Reset(store, storeText);
        const StoreLock held(store);
        unlocked =
            std::min(unlocked, TimeOf([&] { list.DisableStartupEntry("HKCU_Run", kName, kPath, ""); }));
    }
    double alone = 1e300;
    for (int run = 0; run < kRuns; ++run)
        alone = std::min(alone, TimeOf([&] { const StoreLock lock(store); }));
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kBenchRunPath, kName);
    std::filesystem::remove_all(appDir);
    std::printf("%-44s %10s %10s %7s\n", "case", "lock ms", "no lock ms", "ratio");
    std::printf("%-44s %10.3f %10.3f %7.2f\n", "Disable one HKCU_Run value, store of 100", locked, unlocked,
                locked / unlocked);
    std::printf("Taking and dropping the lock alone: %.3f ms\n", alone);
    return 0;
}
