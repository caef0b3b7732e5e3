// A station's work between the asking of its registry and, when its service was started, the restore.
#include "StationReach.h"

#include <iterator>

#include "RegistryReach.h"
#include "StationFiles.h"
#include "StationTrouble.h"
#include "SystemMessage.h"

namespace {

StationReport Failure(std::string reason) {
    StationReport report;
    report.ok = false;
    report.status = std::move(reason);
    return report;
}

// The work reports a drive C: that does not answer in the system's words; those are given what helps.
StationReport TellShareTrouble(const Station& target, StationReport report) {
    if (report.ok || !report.rows.empty() || !report.messages.empty())
        return report;
    const DWORD code = ShareAnswer(target);
    if (code != ERROR_SUCCESS && report.status == SystemMessage(code))
        report.status = ShareTroubleText(target.Name(), code);
    return report;
}

StationReport WorkWithLease(const CliCommand& command,
                            const std::string& station,
                            const LocalMachine& local,
                            RemoteRegistryLease& lease) {
    std::vector<std::string> before = lease.Started().texts;
    StationReport report;
    if (lease.Running()) {
        const Station target = StationOf(station, local);
        report = TellShareTrouble(target, WorkStationWithFiles(command, target, local));
    } else {
        report = Failure(before.back());  // the step that failed is the reason
        before.pop_back();
    }
    report.messages.insert(report.messages.begin(), before.begin(), before.end());
    ServiceSteps restored = lease.Restore();
    report.messages.insert(report.messages.end(), std::make_move_iterator(restored.texts.begin()),
                           std::make_move_iterator(restored.texts.end()));
    report.ok = report.ok && !restored.failed;
    return report;
}

}  // namespace

StationReport WorkReachedStation(const CliCommand& command,
                                 const std::string& station,
                                 const LocalMachine& local,
                                 const RemoteRegistryTools& tools) {
    const Station target = StationOf(station, local);
    if (!target.IsConnected() || target.IsThisComputer())
        return WorkStationWithFiles(command, target, local);
    const auto deadline = RemoteRegistryLease::Clock::now() + std::chrono::seconds(command.timeoutSeconds);
    RegistryReach reach = ReachRegistry(target, *local.api, *tools.journal, tools.services, deadline,
                                        [&] { return command.startRemoteRegistry; });
    if (reach.lease)
        return WorkWithLease(command, station, local, *reach.lease);
    if (reach.answer != ERROR_SUCCESS)
        return Failure(RegistryTroubleText(station, reach.answer, reach.service) +
                       (reach.service.Stopped() ? kStartRemoteRegistryHint : ""));
    return TellShareTrouble(target, WorkStationWithFiles(command, target, local));
}
