// Filling the startup list: refresh, scan, count label, one user's folder, location choice.
#include "startup/StartupList.h"

#include "startup/LocationRegistry.h"
#include "startup/ProfileFolders.h"
#include "startup/StartupLocations.h"
#include "startup/StartupMessages.h"
#include "startup/StartupScan.h"

StartupList::StartupList(StartupView& view, Notifier& notifier, const RegistryApi& api)
    : currentLocation_(StartupLocations().front().tag), view_(view), notifier_(notifier), api_(api) {}

void StartupList::SelectLocation(const std::string& tag) {
    notifier_.PlayPressSound();
    currentLocation_ = tag;
    RefreshStartupList();
}

void StartupList::ShowRowsOf(const std::function<void(std::vector<StartupEntry>&)>& fill) {
    std::vector<StartupEntry> rows;
    auto show = [&] {
        OrderByAppName(rows);
        view_.ShowRows(rows);
    };
    try {
        fill(rows);
    } catch (...) {
        show();  // what was gathered before the error stays visible
        throw;
    }
    show();
}

void StartupList::RefreshStartupList() {
    ShowRowsOf([this](std::vector<StartupEntry>& rows) {
        ScanStartupLocation(currentLocation_, rows);
        ShowStartupCount(currentLocation_, rows.size());  // before the disabled rows: they are not counted
        Store().AddDisabledRows(currentLocation_, std::nullopt, rows);
    });
}

void StartupList::ScanStartupLocation(const std::string& tag, std::vector<StartupEntry>& rows) {
    const StartupLocation* found = FindRegistryLocation(tag);
    if (station_.HasRoot(found != nullptr ? found->root : HKEY_CURRENT_USER)) {
        // Every tag reads a key; "Startup" reads the values right under HKEY_CURRENT_USER, normally none.
        TRegistry registry(api_);
        if (OpenLocationKey(registry, tag, false, station_))
            AppendRegistryRows(registry, tag, rows);
        else
            notifier_.ShowMessageBox(kCouldNotOpenRegistry, MessageKind::Error);
    } else if (tag != kStartupTag) {
        notifier_.ShowMessageBox(AtLocation(tag, kNotOnOtherStation), MessageKind::Error);
    }
    if (tag != kStartupTag)
        return;
    const std::vector<std::string> users = ProfileNames(station_);
    view_.SetUsers(users);
    for (const std::string& user : users)
        AppendFolderRows(user, rows, station_);
}

void StartupList::ShowStartupCount(const std::string& tag, size_t enabledRows) {
    const char* tail = enabledRows == 1 ? " app will start with windows." : " apps will start with windows.";
    view_.SetCountLabel("[" + tag + "] = " + std::to_string(enabledRows) + tail);
}

void StartupList::ListBox1Click(const std::string& user) {
    ShowRowsOf([&](std::vector<StartupEntry>& rows) {
        AppendFolderRows(user, rows, station_);
        Store().AddDisabledRows(kStartupTag, user, rows);
    });
}
