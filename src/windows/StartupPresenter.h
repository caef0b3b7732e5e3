// The main window's presenter of the startup book: the location shown, the list, the count line,
// the users, sounds, focus and message boxes, and the list rebuilt after every operation.
#pragma once

#include <optional>
#include <string>

#include "Notifier.h"
#include "Outcome.h"
#include "StartupBook.h"
#include "StartupView.h"

// Which items of a row's pop-up menu can be chosen.
struct EntryMenuState {
    bool disable = false;
    bool enable = false;
    bool remove = false;
};

class StartupPresenter {
public:
    // A row that starts can be disabled, one that does not enabled; what Group Policy or the
    // registry editor owns is neither disabled nor removed here, nor what Tellurin cannot delete; a
    // row held by policy or by its user's absence is not changed at all.
    static EntryMenuState MenuStateOf(const std::optional<StartupEntry>& row);

    // CurrentLocation starts as the bar's first item.
    StartupPresenter(StartupView& view, Notifier& notifier, const RegistryApi& api = RealRegistryApi());

    StartupBook& Book() { return book_; }
    const StartupBook& Book() const { return book_; }
    const std::string& CurrentLocation() const { return currentLocation_; }
    void SetCurrentLocation(std::string tag) { currentLocation_ = std::move(tag); }

    // A location of the bar was clicked: press cue, then the list shows that location.
    void SelectLocation(const std::string& tag);
    // Rebuilds the list for CurrentLocation: what could not be read, the count label, then the rows.
    void RefreshStartupList();
    // "[tag] = n app(s) will start with windows."
    void ShowStartupCount(const std::string& tag, size_t enabledRows);
    // The list shows one user's Startup folder and that user's disabled entries.
    void ListBox1Click(const std::string& user);

    // The rule of both edits' change handlers: Add is enabled when both hold text.
    static bool AddButtonEnabled(const std::string& name, const std::string& path);

    // The handlers: the operation, its outcome shown in an error box when not done, then the list rebuilt.
    Outcome Button_AddClick(const std::string& name,
                            const std::string& path,
                            const std::optional<std::string>& selectedUser);
    Outcome DisableApp1Click(const StartupEntry& row);
    Outcome EnableApp1Click(const StartupEntry& row);
    Outcome RemoveApp1Click(const StartupEntry& row);

private:
    // An input check worded as a warning, with the focus on the field to mend.
    Outcome RefuseInput(const char* text, StartupField field);
    // Shows the page; when its read raised, what was read before stays visible and the error goes on.
    template <typename Read>
    void ShowPageOf(Read read);
    void ShowPage(StartupPage& page);
    Outcome ReportAndRefresh(Outcome outcome);

    StartupView& view_;
    Notifier& notifier_;
    StartupBook book_;
    std::string currentLocation_;
};
