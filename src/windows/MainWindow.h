// MainWindow: the main window. It reads its controls, calls the startup logic, and shows the results.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "TExeInfo.h"
#include "StartupPresenter.h"
#include "StartupView.h"
#include "EntryListView.h"
#include "GdiObjects.h"
#include "MessageBoxes.h"
#include "WindowBase.h"

class TrayIcon;

// What the main window asks of the world outside its controls; tests replace parts of it.
struct MainWindowSeams {
    // Runs the file-open dialog; the chosen file's full path, or nothing when cancelled.
    std::function<std::optional<std::string>(HWND owner, const std::string& initialFolder)> pickProgram;
    // Boxes and cues; the window's own SystemNotifier when empty.
    Notifier* notifier = nullptr;
};

class MainWindow : public WindowBase, public StartupView, public Notifier {
public:
    // station: the computer whose startup entries the window works on; this one when empty.
    explicit MainWindow(MainWindowSeams seams = {}, std::string station = {});
    ~MainWindow() override;

    // Shows and activates the window; it and every control are painted when this returns.
    void Show();
    // The windows that the "About" and "Comp Info" buttons show modally.
    void SetModalWindows(std::function<void()> showAbout, std::function<void()> showComputerInfo);

    std::string GetLocalComputerName() const;
    void SetCaptionText(const std::string& text);
    void SetApplicationTitle(const std::string& text);
    void SetEntryMenuEnabled(bool enabled);
    void UpdateEntryMenu();

    // Key preview: F5 with any modifier refreshes. True when the key was handled.
    bool FormKeyDown(WPARAM key);

    StartupPresenter& Logic() { return *logic_; }
    const std::string& CaptionText() const { return captionText_; }
    HMENU EntryMenu() const { return entryMenu_.get(); }
    HMENU TrayMenu() const { return trayMenu_.get(); }
    const EntryListView& ListView() const { return *listView_; }

    // StartupView
    void ShowRows(std::vector<StartupEntry> rows) override;
    void SetCountLabel(const std::string& text) override;
    void SetNotes(const std::string& text) override;
    void SetUsers(const std::vector<std::string>& users) override;
    void Focus(StartupField field) override;

    // Notifier
    void ShowMessageBox(const std::string& text, MessageKind kind) override;
    void PlayPressSound() override;
    void PlayNotifySound() override;
    void PlayWarningSound() override;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormCreate();
    TrayIcon& Tray();
    void CreateControls();
    void CreateMenus();
    void OnCommand(int id, int code);
    void OnListNotify(const NMHDR& header);
    void OnContextMenu(HWND target, POINT screen);
    void Paint();
    void ScaleExtras() override;
    // The edits and the Users list in the body font, or its fallback while their text needs it.
    void FitTextFonts();

    void StartUpListViewSelectItem(bool selected);
    void ListBox1Click();
    void Button_BrowseClick();
    void Button_AddClick();
    void EditChanged();
    void RunOnSelectedRow(Outcome (StartupPresenter::*operation)(const StartupEntry&));
    Notifier& ActiveNotifier();
    std::optional<std::string> SelectedUser() const;

    MainWindowSeams seams_;
    SystemNotifier systemNotifier_;
    TExeInfo ExeInfo1;
    std::string AppDir;
    std::string ComputerName;
    std::string captionText_;
    std::string stationName_;
    std::unique_ptr<StartupPresenter> logic_;
    std::unique_ptr<EntryListView> listView_;
    std::unique_ptr<TrayIcon> trayIcon_;
    UniqueMenu entryMenu_;
    UniqueMenu trayMenu_;
    ResourceDib header_;
    UniqueGdiObject exitImage_;
    UniqueGdiObject background_;
    UniqueIcon icon_;
    UniqueIcon smallIcon_;
    HWND tooltip_ = nullptr;
    std::function<void()> showAbout_;
    std::function<void()> showComputerInfo_;
};
