// The rows' program files through ProgramFacts, on the station the rows came from.
#include "StationFiles.h"

#include "ComApartment.h"
#include "ProgramFacts.h"

StationReport WorkStationWithFiles(const CliCommand& command,
                                   const std::string& station,
                                   const LocalMachine& local) {
    return WorkStationWithFiles(command, StationOf(station, local), local);
}

// One set of connections for rows and files.
StationReport WorkStationWithFiles(const CliCommand& command,
                                   const Station& target,
                                   const LocalMachine& local) {
    StationReport report = WorkStation(command, target, local);
    if (command.verb != CliVerb::List || !command.details || report.rows.empty())
        return report;
    const ComApartment com;  // Startup rows are shortcuts
    ProgramFacts facts(target, *local.api, command.hash);
    report.files.reserve(report.rows.size());
    for (const StartupEntry& row : report.rows)
        report.files.push_back(facts.Of(row));
    if (!facts.FirstUnreadable().empty())
        report.messages.push_back("could not read every program file, e.g. " + facts.FirstUnreadable() +
                                  "; its details are left empty");
    return report;
}
