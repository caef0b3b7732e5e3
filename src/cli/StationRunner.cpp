// The parallel runner: worker threads take stations from a shared queue; the caller watches the deadlines.
#include "StationRunner.h"

#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "Errors.h"
#include "ComApartment.h"
#include "WaitableLock.h"

namespace {

using Clock = std::chrono::steady_clock;

// How long the caller waits for a worker's word before it looks at the queue itself.
constexpr std::chrono::milliseconds kLookAgain{50};
// How long the run waits, once every station has ended, for its workers to be gone.
constexpr std::chrono::milliseconds kLastWorkers{2000};

// Shared with the workers, which may outlive the run when a station never answers.
struct Queue {
    WaitableLock mutex;  // notified when a station ended, or a worker left
    StationWork work;
    std::vector<std::string> stations;
    std::chrono::milliseconds timeout;
    bool shortcuts;
    size_t next = 0;                                          // the first station no worker has taken
    std::vector<std::optional<Clock::time_point>> deadlines;  // set when a worker takes the station
    std::vector<std::optional<StationReport>> reports;
    std::vector<bool> abandoned;  // past its deadline: the worker on it leaves when it comes back
    std::vector<size_t> ended;    // reports not yet handed over, in the order they came
    size_t workers = 0;           // workers not stuck on an abandoned station and not yet gone
};

StationReport Attempt(const StationWork& work, const std::string& station) {
    try {
        return work(station);
    } catch (const std::exception& error) {
        StationReport report;
        report.ok = false;
        report.status = DefaultErrorText(error.what());
        return report;
    }
}

// Takes stations until none is left; false when the run gave up on the station this worker was on.
bool TakeStations(Queue& queue) {
    std::unique_lock lock(queue.mutex);
    while (queue.next < queue.stations.size()) {
        const size_t index = queue.next++;
        queue.deadlines[index] = Clock::now() + queue.timeout;
        lock.unlock();
        StationReport report = Attempt(queue.work, queue.stations[index]);
        lock.lock();
        if (queue.abandoned[index])
            return false;  // the run has counted this worker out and gone on without it
        queue.reports[index] = std::move(report);
        queue.ended.push_back(index);
        queue.mutex.NotifyAll();
    }
    return true;
}

void Serve(std::shared_ptr<Queue> queue) {
    bool kept;
    {
        std::optional<ComApartment> com;  // shortcut files are read and written through COM, once per worker
        if (queue->shortcuts)
            com.emplace();
        kept = TakeStations(*queue);
    }
    if (!kept)
        return;
    std::lock_guard lock(queue->mutex);
    --queue->workers;
    queue->mutex.NotifyAll();
}

void StartWorkers(const std::shared_ptr<Queue>& queue, size_t count) {
    for (size_t i = 0; i < count; ++i)
        std::thread(Serve, queue).detach();
}

StationReport TimedOut(std::chrono::milliseconds timeout) {
    StationReport report;
    report.ok = false;
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(timeout).count();
    report.status = "timed out: no answer within " + std::to_string(seconds) + " s";
    return report;
}

// What the caller found in one look at the queue.
struct Look {
    std::vector<std::pair<size_t, StationReport>> ended;
    size_t timedOut = 0;
    size_t replacements = 0;  // workers to start in place of those stuck on a timed-out station
    Clock::time_point wake;   // when to look again if nothing ends sooner
};

// Stations are taken in order, so their deadlines rise with their index: the first one still open
// has the earliest deadline. The caller holds the lock.
void TimeOutOverdue(Queue& queue, size_t& firstOpen, Look& look) {
    const Clock::time_point now = Clock::now();
    look.wake = now + queue.timeout;  // no station open: the next one taken ends later than this
    for (; firstOpen < queue.next; ++firstOpen) {
        if (queue.reports[firstOpen] || queue.abandoned[firstOpen])
            continue;
        if (now < *queue.deadlines[firstOpen]) {
            look.wake = *queue.deadlines[firstOpen];
            return;
        }
        queue.abandoned[firstOpen] = true;
        look.ended.emplace_back(firstOpen, TimedOut(queue.timeout));
        ++look.timedOut;
        if (queue.next < queue.stations.size())
            ++look.replacements;
        else
            --queue.workers;
    }
}

Look LookAt(Queue& queue, size_t& firstOpen) {
    Look look;
    for (size_t index : queue.ended)
        look.ended.emplace_back(index, std::move(*queue.reports[index]));
    queue.ended.clear();
    TimeOutOverdue(queue, firstOpen, look);
    return look;
}

}  // namespace

bool RunStations(const std::vector<std::string>& stations,
                 const RunnerOptions& options,
                 const StationWork& work,
                 const std::function<void(size_t index, StationReport& report)>& finished) {
    auto queue = std::make_shared<Queue>();
    queue->work = work;
    queue->stations = stations;
    queue->timeout = options.timeout;
    queue->shortcuts = options.shortcuts;
    queue->deadlines.resize(stations.size());
    queue->reports.resize(stations.size());
    queue->abandoned.resize(stations.size());
    queue->workers = std::min(std::max<size_t>(options.parallel, 1), stations.size());
    StartWorkers(queue, queue->workers);
    size_t open = stations.size();
    size_t firstOpen = 0;
    bool allJoined = true;
    std::unique_lock lock(queue->mutex);
    while (open > 0) {
        Look look = LookAt(*queue, firstOpen);
        if (look.ended.empty()) {
            // Looked at again often: a wake-up the thread library loses under load must not stall the run.
            queue->mutex.WaitUntil(std::min(look.wake, Clock::now() + kLookAgain));
            continue;
        }
        open -= look.ended.size();
        allJoined = allJoined && look.timedOut == 0;
        lock.unlock();  // the workers go on while the caller prints
        StartWorkers(queue, look.replacements);
        for (auto& [index, report] : look.ended)
            finished(index, report);
        lock.lock();
    }
    // No worker counted here is stuck: waiting for them to release COM is brief. Bounded all the same:
    // under Wine a worker has been seen to leave no thread and no count behind, which held the run for ever.
    const Clock::time_point giveUp = Clock::now() + kLastWorkers;
    while (queue->workers != 0 && Clock::now() < giveUp)
        queue->mutex.WaitFor(kLookAgain);
    const bool joined = allJoined && queue->workers == 0;
    // What the work holds (a journal's open file) goes with the run, not with the last worker's queue.
    if (joined)
        queue->work = nullptr;
    return joined;
}
