// The question, the replay and the restore around the main window, each outcome in a message box.
#include "RemoteRegistryPrompt.h"

#include "AppTitle.h"
#include "MessageBoxes.h"
#include "RegistryReach.h"
#include "StationTrouble.h"
#include "TExeInfo.h"

namespace {

void ShowSteps(const ServiceSteps& steps) {
    std::string text;
    for (const std::string& line : steps.texts)
        text += (text.empty() ? "" : "\r\n") + line;
    if (!text.empty())
        ShowMessageBox(nullptr, text, steps.failed ? MessageKind::Error : MessageKind::Information);
}

void PutBackLeftovers(RemoteRegistryJournal& journal, const ServiceOptions& options) {
    ServiceSteps all;
    for (RestoredStation& restored : ReplayRemoteRegistryJournal(journal, options)) {
        all.texts.insert(all.texts.end(), restored.steps.texts.begin(), restored.steps.texts.end());
        all.failed = all.failed || restored.steps.failed;
    }
    ShowSteps(all);
}

}  // namespace

bool AskToStartRemoteRegistry(const std::string& station) {
    const std::string text =
        "Start the Remote Registry service on " + station + " while Tellurin works on it?";
    return MessageBoxA(nullptr, text.c_str(), ApplicationTitle().c_str(), MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
}

std::unique_ptr<RemoteRegistryLease> PrepareStationRegistry(const std::string& station,
                                                            RemoteRegistryJournal& journal,
                                                            const RemoteRegistrySeams& seams) {
    PutBackLeftovers(journal, seams.services);
    const Station target = StationNamed(station, LocalComputerName(), AdministrativeShareOf(station));
    RegistryReach reach = ReachRegistry(target, *seams.registry, journal, seams.services,
                                        RemoteRegistryLease::Clock::now() + seams.startWait,
                                        [&] { return seams.ask(station); });
    if (reach.lease && reach.lease->Running())
        return std::move(reach.lease);
    if (reach.lease) {
        ServiceSteps steps = reach.lease->Started();
        ServiceSteps restored = reach.lease->Restore();
        steps.texts.insert(steps.texts.end(), restored.texts.begin(), restored.texts.end());
        ShowSteps(steps);
    } else if (reach.answer != ERROR_SUCCESS) {
        ShowMessageBox(nullptr, RegistryTroubleText(station, reach.answer, reach.service),
                       MessageKind::Error);
    }
    return nullptr;
}

void RestoreStationRegistry(std::unique_ptr<RemoteRegistryLease> lease) {
    if (!lease)
        return;
    const ServiceSteps restored = lease->Restore();
    if (restored.failed)
        ShowSteps(restored);
}
