// tellurinc's flow: read the command, work the stations, print status lines and rows, say how it went.
#include "Tellurinc.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <unordered_set>

#include "CompareCommand.h"
#include "FileLines.h"
#include "OutputFormats.h"
#include "Station.h"
#include "StationRunner.h"
#include "TextCodec.h"
#include "LocationKeys.h"

namespace {

// Status lines as stations end, and on a console a progress line that the next status line replaces.
class StatusPrinter {
public:
    StatusPrinter(const CliEnvironment& environment, size_t total)
        : environment_(environment), total_(total), progress_(environment.errIsConsole && total > 1) {}

    void Print(const std::string& station, const StationReport& report) {
        std::string text = ClearProgress();
        for (const std::string& message : report.messages)
            text += AnsiToUtf8(station + ": " + message) + "\r\n";
        text += AnsiToUtf8(station + ": " + report.status) + "\r\n";
        if (progress_ && ++done_ < total_) {
            progressLine_ = std::to_string(done_) + " of " + std::to_string(total_) + " stations done...";
            text += progressLine_;
        }
        environment_.writeErr(text);
    }

private:
    std::string ClearProgress() {
        if (progressLine_.empty())
            return {};
        std::string clear(progressLine_.size() + 2, ' ');
        clear.front() = clear.back() = '\r';
        progressLine_.clear();
        return clear;
    }

    const CliEnvironment& environment_;
    size_t total_;
    bool progress_;
    size_t done_ = 0;
    std::string progressLine_;
};

std::vector<ListedRow> RowsOf(const std::vector<std::string>& names,
                              const std::vector<std::optional<StationReport>>& reports) {
    std::vector<ListedRow> rows;
    for (size_t i = 0; i < names.size(); ++i) {
        if (!reports[i])
            continue;
        const std::string station = AnsiToUtf8(names[i]);
        for (const StartupEntry& entry : reports[i]->rows)
            rows.push_back({station, AnsiToUtf8(entry.location), AnsiToUtf8(entry.appName),
                            AnsiToUtf8(entry.appPath), entry.Status()});
    }
    return rows;
}

std::vector<ListedFile> FilesOf(const std::vector<std::optional<StationReport>>& reports) {
    std::vector<ListedFile> files;
    for (const std::optional<StationReport>& report : reports)
        for (size_t r = 0; report && r < report->rows.size(); ++r) {
            const EntryProgram none;
            const EntryProgram& program = r < report->files.size() ? report->files[r] : none;
            const FileFacts& facts = program.facts;
            files.push_back({AnsiToUtf8(program.file.path), facts.exists, AnsiToUtf8(facts.description),
                             AnsiToUtf8(facts.publisher), AnsiToUtf8(facts.version),
                             facts.exists ? SignatureStateName(facts.signature.state) : "",
                             AnsiToUtf8(facts.signature.signer), facts.sha256, facts.unreadable});
        }
    return files;
}

// Each station once, as first named: two workers on one station would race on its DisabledStore.
// Names are compared without regard to letter case; every name of this computer is one station.
std::vector<std::string> DistinctStations(const std::vector<std::string>& stations,
                                          const std::string& computerName) {
    std::unordered_set<std::string> seen;
    std::vector<std::string> distinct;
    for (const std::string& station : stations) {
        std::string key = IsThisComputerName(station, computerName) ? computerName : station;
        CharUpperBuffA(key.data(), static_cast<DWORD>(key.size()));
        if (seen.insert(key).second)
            distinct.push_back(station);
    }
    return distinct;
}

// The journal's stations on stderr, each line after its station's name; true when all were put back.
bool ReplayJournal(const CliEnvironment& environment, bool alone) {
    if (!environment.replayRemoteRegistry)
        return true;
    std::string text;
    bool ok = true;
    for (const RestoredStation& restored : environment.replayRemoteRegistry()) {
        for (const std::string& line : restored.steps.texts)
            text += AnsiToUtf8(restored.station.empty() ? line : restored.station + ": " + line) + "\r\n";
        ok = ok && !restored.steps.failed;
    }
    if (text.empty() && alone)
        text = "no station to put back\r\n";
    if (!text.empty())
        environment.writeErr(text);
    return ok;
}

// The station fields of the run, and of them those whose listing is whole.
std::vector<std::string> StationFields(const std::vector<std::string>& names,
                                       const std::vector<std::optional<StationReport>>* whole = nullptr) {
    std::vector<std::string> fields;
    for (size_t i = 0; i < names.size(); ++i)
        if (!whole || ((*whole)[i] && (*whole)[i]->ok))
            fields.push_back(AnsiToUtf8(names[i]));
    return fields;
}

}  // namespace

CliOutcome RunTellurinc(const std::vector<std::string>& args, const CliEnvironment& environment) {
    CliCommand command;
    try {
        command = ParseCommandLine(args);
    } catch (const UsageError& error) {
        environment.writeErr("tellurinc: " + AnsiToUtf8(error.what()) + "\r\n" + UsageText());
        return {2};
    }
    if (command.verb == CliVerb::Help) {
        environment.writeOut(UsageText());
        return {0};
    }
    if (command.verb == CliVerb::Version) {
        environment.writeOut("Tellurin " + environment.fileVersion() + "\r\n");
        return {0};
    }
    // What a run that died left changed comes before anything this run does.
    const bool restoreAlone = command.verb == CliVerb::RestoreRemoteRegistry;
    bool allOk = !(restoreAlone || command.startRemoteRegistry) || ReplayJournal(environment, restoreAlone);
    if (restoreAlone)
        return {allOk ? 0 : 1};
    const bool named = !command.stations.empty();
    const std::vector<std::string> stations =
        named ? DistinctStations(command.stations, environment.computerName) : std::vector<std::string>{""};
    std::vector<std::string> names = named ? stations : std::vector<std::string>{environment.computerName};
    // compare reads its files before any station is asked, and then lists as list does.
    std::optional<BaselineComparison> comparison;
    if (command.verb == CliVerb::Compare) {
        try {
            comparison.emplace(command, StationFields(names), AnsiToUtf8(environment.computerName));
        } catch (const BadFileError& error) {
            environment.writeErr("tellurinc: " + std::string(error.what()) + "\r\n");
            return {2};
        }
        command.verb = CliVerb::List;
    }
    std::vector<std::optional<StationReport>> reports(stations.size());
    StatusPrinter printer(environment, stations.size());
    // Only an action on a Startup folder or a task goes through COM; listing names the files.
    const bool shortcuts =
        command.verb != CliVerb::List && ChangedThroughCom(ToLocationKey(*command.location));
    const RunnerOptions options{static_cast<size_t>(command.parallel),
                                std::chrono::milliseconds(command.timeoutSeconds * 1000LL), shortcuts};
    // A station that never answers keeps its thread past this function: it owns what it uses.
    auto shared = std::make_shared<const CliCommand>(command);
    const StationWork work = [shared, work = environment.work](const std::string& station) {
        return work(*shared, station);
    };
    const bool joined = RunStations(stations, options, work, [&](size_t index, StationReport& report) {
        printer.Print(names[index], report);
        allOk = allOk && report.ok;
        reports[index] = std::move(report);
    });
    if (comparison) {
        const std::vector<ListedFile> files = command.details ? FilesOf(reports) : std::vector<ListedFile>{};
        const BaselineComparison::Result result = comparison->Of(
            RowsOf(names, reports), command.details ? &files : nullptr, StationFields(names, &reports));
        environment.writeOut(result.text);
        return {allOk ? (result.changed ? 3 : 0) : 1, !joined};
    }
    if (command.verb == CliVerb::List && command.details) {
        const std::vector<ListedFile> files = FilesOf(reports);
        environment.writeOut(FormatRows(RowsOf(names, reports), command.format, &files, command.hash));
    } else if (command.verb == CliVerb::List) {
        environment.writeOut(FormatRows(RowsOf(names, reports), command.format));
    }
    return {allOk ? 0 : 1, !joined};
}
