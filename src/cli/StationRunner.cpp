// The parallel runner: detached worker threads, a shared outbox, and deadlines watched by the caller.
#include "StationRunner.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "Errors.h"
#include "ComApartment.h"

namespace {

using Clock = std::chrono::steady_clock;

// Shared with the workers, which may outlive the run when they never answer.
struct Outbox {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<std::optional<StationReport>> reports;
    StationWork work;
};

struct OpenStation {
    size_t index;
    Clock::time_point deadline;
};

void Work(std::shared_ptr<Outbox> outbox, size_t index, std::string station, bool shortcuts) {
    StationReport report;
    {
        std::optional<ComApartment> com;  // shortcut files are read and written through COM
        if (shortcuts)
            com.emplace();
        try {
            report = outbox->work(station);
        } catch (const std::exception& error) {
            report.ok = false;
            report.status = DefaultErrorText(error.what());
        }
    }
    std::lock_guard lock(outbox->mutex);
    outbox->reports[index] = std::move(report);
    outbox->changed.notify_all();
}

StationReport TimedOut(std::chrono::milliseconds timeout) {
    StationReport report;
    report.ok = false;
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(timeout).count();
    report.status = "timed out: no answer within " + std::to_string(seconds) + " s";
    return report;
}

}  // namespace

bool RunStations(const std::vector<std::string>& stations,
                 const RunnerOptions& options,
                 const StationWork& work,
                 const std::function<void(size_t index, StationReport& report)>& finished) {
    auto outbox = std::make_shared<Outbox>();
    outbox->reports.resize(stations.size());
    outbox->work = work;
    std::vector<OpenStation> open;
    size_t next = 0;
    bool allJoined = true;
    std::unique_lock lock(outbox->mutex);
    while (next < stations.size() || !open.empty()) {
        while (next < stations.size() && open.size() < std::max<size_t>(options.parallel, 1)) {
            std::thread(Work, outbox, next, stations[next], options.shortcuts).detach();
            open.push_back({next, Clock::now() + options.timeout});
            ++next;
        }
        std::vector<std::pair<size_t, StationReport>> ended;
        const Clock::time_point now = Clock::now();
        std::erase_if(open, [&](const OpenStation& station) {
            if (outbox->reports[station.index]) {
                ended.emplace_back(station.index, std::move(*outbox->reports[station.index]));
                return true;
            }
            if (now < station.deadline)
                return false;
            ended.emplace_back(station.index, TimedOut(options.timeout));
            allJoined = false;
            return true;
        });
        if (ended.empty()) {
            Clock::time_point earliest = open.front().deadline;
            for (const OpenStation& station : open)
                earliest = std::min(earliest, station.deadline);
            outbox->changed.wait_until(lock, earliest);
            continue;
        }
        lock.unlock();  // the workers may finish while the caller prints
        for (auto& [index, report] : ended)
            finished(index, report);
        lock.lock();
    }
    return allJoined;
}
