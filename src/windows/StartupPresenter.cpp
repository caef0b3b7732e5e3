// Turning the book's pages and outcomes into what the main window shows.
#include "StartupPresenter.h"

#include "LocationKeys.h"
#include "StartupMessages.h"
#include "StartupSources.h"

StartupPresenter::StartupPresenter(StartupView& view, Notifier& notifier, const RegistryApi& api)
    : view_(view), notifier_(notifier), book_(api), currentLocation_(BarItems().front()->tag) {}

void StartupPresenter::SelectLocation(const std::string& tag) {
    notifier_.PlayPressSound();
    currentLocation_ = tag;
    RefreshStartupList();
}

template <typename Read>
void StartupPresenter::ShowPageOf(Read read) {
    StartupPage page;
    try {
        read(page);
    } catch (...) {
        OrderByAppName(page.rows);  // what was gathered before the error stays visible
        ShowPage(page);
        throw;
    }
    ShowPage(page);
}

// The boxes of what could not be read come first, as the window has always shown them mid-scan.
void StartupPresenter::ShowPage(StartupPage& page) {
    for (const std::string& problem : page.problems)
        notifier_.ShowMessageBox(problem, MessageKind::Error);
    if (page.users)
        view_.SetUsers(*page.users);
    if (page.enabledCount)
        ShowStartupCount(currentLocation_, *page.enabledCount);
    std::string notes;
    for (const std::string& note : page.notes)
        (notes += notes.empty() ? "" : "\r\n") += note;
    view_.SetNotes(notes);
    view_.ShowRows(std::move(page.rows));  // the page's last use
}

void StartupPresenter::RefreshStartupList() {
    ShowPageOf([this](StartupPage& page) { book_.ReadView(currentLocation_, page); });
}

void StartupPresenter::ShowStartupCount(const std::string& tag, size_t enabledRows) {
    const char* tail = enabledRows == 1 ? " app will start with windows." : " apps will start with windows.";
    view_.SetCountLabel("[" + tag + "] = " + std::to_string(enabledRows) + tail);
}

void StartupPresenter::ListBox1Click(const std::string& user) {
    ShowPageOf([&](StartupPage& page) { book_.ReadUserFolder(user, page); });
}

EntryMenuState StartupPresenter::MenuStateOf(const std::optional<StartupEntry>& row) {
    if (!row)
        return {false, true, true};
    if (row->hold != EntryHold::None)
        return {};  // neither the policy's state nor a logged-off user's file is changed here
    const bool ours = ChangedByOf(row->location) == ChangedBy::Tellurin;
    const StartupSource* source = SourceOfLocation(ToLocationKey(row->location));
    const bool removable = source == nullptr || source->removable;
    return {row->IsEnabled() && ours, !row->IsEnabled(), ours && removable};
}

bool StartupPresenter::AddButtonEnabled(const std::string& name, const std::string& path) {
    return !name.empty() && !path.empty();
}

Outcome StartupPresenter::RefuseInput(const char* text, StartupField field) {
    notifier_.ShowMessageBox(text, MessageKind::Warning);
    view_.Focus(field);
    return Outcome::Refused(text);
}

Outcome StartupPresenter::Button_AddClick(const std::string& name,
                                          const std::string& path,
                                          const std::optional<std::string>& selectedUser) {
    if (name.empty())
        return RefuseInput(kNameMissing, StartupField::ApplicationName);
    if (path.empty())
        return RefuseInput(kPathMissing, StartupField::ApplicationPath);
    std::string location = currentLocation_;
    if (location == kStartupTag) {
        // Without a user there is no folder to write to.
        if (!selectedUser)
            return RefuseInput(kUserMissing, StartupField::UsersList);
        location = LocationKeyOf(location, *selectedUser);
    }
    return ReportAndRefresh(book_.AddEntry(location, name, path));
}

Outcome StartupPresenter::DisableApp1Click(const StartupEntry& row) {
    return ReportAndRefresh(book_.DisableEntry(row, currentLocation_));
}

Outcome StartupPresenter::EnableApp1Click(const StartupEntry& row) {
    return ReportAndRefresh(book_.EnableEntry(row));
}

Outcome StartupPresenter::RemoveApp1Click(const StartupEntry& row) {
    return ReportAndRefresh(book_.RemoveEntry(row));
}

// The outcome is shown as the window has always shown such a text: in an error box.
Outcome StartupPresenter::ReportAndRefresh(Outcome outcome) {
    if (!outcome.IsDone())
        notifier_.ShowMessageBox(outcome.Text(), MessageKind::Error);
    RefreshStartupList();
    return outcome;
}
