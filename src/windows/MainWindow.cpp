// The main window's life, its messages and its handlers.
#include "MainWindow.h"

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include "resource.h"
#include "SystemLibrary.h"
#include "StartupSources.h"
#include "LocationKeys.h"
#include "AppTitle.h"
#include "EntryInfoTip.h"
#include "EntryRowFonts.h"
#include "ErrorDisplay.h"
#include "Hints.h"
#include "KeyPreview.h"
#include "LinkLabel.h"
#include "MainWindowIds.h"
#include "ProgramPicker.h"
#include "SideBar.h"
#include "StationName.h"
#include "TrayIcon.h"
#include "WindowClassNames.h"

namespace {

constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kShowTrayIconMessage = WM_APP + 3;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// Whether whoever started the program asked for its first window in a particular state (a shortcut
// set to start minimised or maximised). The system applies that to the first ShowWindow.
bool LauncherChoseShowState() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    if (!(startup.dwFlags & STARTF_USESHOWWINDOW))
        return false;
    const WORD state = startup.wShowWindow;
    return state != SW_SHOWNORMAL && state != SW_SHOW && state != SW_SHOWDEFAULT;
}

}  // namespace

MainWindow::MainWindow(MainWindowSeams seams, std::string station)
    : seams_(std::move(seams)), stationName_(std::move(station)) {
    if (!seams_.pickProgram)
        seams_.pickProgram = PickProgramWithDialog;
    icon_.reset(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TELLURIN),
                                              IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    background_.reset(CreateSolidBrush(kBackgroundColor));
    RegisterClassOnce(kMainWindowClass, icon_.get(), nullptr);
    CreateTopLevel(kMainWindowClass, "Tellurin", kStyle, WS_EX_CONTROLPARENT, 333, 191, 741, 525, nullptr);
    systemNotifier_.SetOwner(Handle());
    logic_ = std::make_unique<StartupPresenter>(*this, *this);
    CreateControls();
    CreateMenus();
    // Asking the notification area takes a while: the icon goes there once the window is painted.
    PostMessageA(Handle(), kShowTrayIconMessage, 0, 0);
    StartKeyPreview(Handle());
    DispatchSafely([this] { FormCreate(); });
}

MainWindow::~MainWindow() {
    StopKeyPreview(Handle());
    trayIcon_.reset();
}

// Made when first needed, normally just after the window's first paint; its tip is the caption.
TrayIcon& MainWindow::Tray() {
    if (trayIcon_)
        return *trayIcon_;
    // The notification area shows small icons: the image of that size, not the large one shrunk.
    const int small = GetSystemMetrics(SM_CXSMICON);
    smallIcon_.reset(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TELLURIN), IMAGE_ICON, small, small, 0)));
    char caption[128] = "";
    GetWindowTextA(Handle(), caption, sizeof caption);
    trayIcon_ = std::make_unique<TrayIcon>(Handle(), kTrayMessage, smallIcon_.get(), caption);
    trayIcon_->SetMenu(trayMenu_.get());
    return *trayIcon_;
}

void MainWindow::FormCreate() {
    AppDir = AppDirOf(OwnExecutablePath());
    logic_->Book().SetAppDir(AppDir);
    ComputerName = ExeInfo1.ComputerName();
    const Station station = StationNamed(stationName_, ComputerName, AdministrativeShareOf(stationName_));
    logic_->Book().SetStation(station);
    logic_->Book().SetComputerName(StoreNameOf(station, ComputerName));
    captionText_ = CaptionTextFor(ExeInfo1.FileVersion);
    if (!stationName_.empty())
        captionText_ += " - " + stationName_;
    SetCaptionText(captionText_);
    SetApplicationTitle(captionText_);
    logic_->SetCurrentLocation(BarItems().front()->tag);
    logic_->RefreshStartupList();
    SetEntryMenuEnabled(false);
}

void MainWindow::Show() {
    if (LauncherChoseShowState()) {
        ShowWindow(Handle(), SW_SHOW);
        UpdateWindow(Handle());
        return;
    }
    // Shown undrawn, then drawn in one pass: a plain ShowWindow first erases the window and every
    // control, and the paint that follows asks each of them for a DC a second time.
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW);
    RedrawWindow(Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // The system treats the first ShowWindow specially; it is spent here, where it changes nothing,
    // rather than on a later restore from the notification area.
    ShowWindow(Handle(), SW_SHOW);
}

void MainWindow::SetModalWindows(std::function<void()> showAbout, std::function<void()> showComputerInfo) {
    showAbout_ = std::move(showAbout);
    showComputerInfo_ = std::move(showComputerInfo);
}

std::string MainWindow::GetLocalComputerName() const {
    return ExeInfo1.ComputerName();
}

void MainWindow::SetCaptionText(const std::string& text) {
    SetWindowTextA(Handle(), text.c_str());
    if (trayIcon_)
        trayIcon_->SetHint(text);
}

void MainWindow::SetApplicationTitle(const std::string& text) {
    ::SetApplicationTitle(text);
}

void MainWindow::SetEntryMenuEnabled(bool enabled) {
    const UINT state = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
    for (int item : {kDisableApp1, kEnableApp1, kRemoveApp1})
        EnableMenuItem(entryMenu_.get(), item, state);
}

void MainWindow::UpdateEntryMenu() {
    const EntryMenuState menu = StartupPresenter::MenuStateOf(listView_->SelectedEntry());
    for (auto [item, on] :
         {std::pair{kDisableApp1, menu.disable}, {kEnableApp1, menu.enable}, {kRemoveApp1, menu.remove}})
        EnableMenuItem(entryMenu_.get(), item, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
}

bool MainWindow::FormKeyDown(WPARAM key) {
    if (key != VK_F5)
        return false;
    logic_->RefreshStartupList();
    return true;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT answer = 0;
        AnswerBodyMessage(message, wParam, lParam, background_.get(), Body::Dragged, answer))
        return answer;
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY:
            // Clearing the list asks whether to tell of each row it deletes: nothing is kept per row.
            if (listView_ && reinterpret_cast<NMHDR*>(lParam)->hwndFrom == listView_->Handle() &&
                reinterpret_cast<NMHDR*>(lParam)->code == LVN_DELETEALLITEMS)
                return TRUE;
            if (LRESULT answer = 0;
                listView_ &&
                (listView_->AnswerListRequest(*reinterpret_cast<NMHDR*>(lParam), answer) ||
                 AnswerRowCustomDraw(listView_->Handle(), *reinterpret_cast<NMHDR*>(lParam), answer)))
                return answer;
            if (listView_ && FillEntryInfoTip(*listView_, *reinterpret_cast<NMHDR*>(lParam),
                                              logic_->Book().CurrentStation())) {
                FitInfoTipFont(listView_->Handle(), *reinterpret_cast<NMHDR*>(lParam));
                return 0;
            }
            OnListNotify(*reinterpret_cast<const NMHDR*>(lParam));
            return 0;
        case WM_CONTEXTMENU:
            OnContextMenu(reinterpret_cast<HWND>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_SIZE:
            if (wParam == SIZE_MINIMIZED)
                Tray().HideOwnerFromTaskbar();
            return 0;
        case kTrayMessage:
            Tray().HandleCallback(lParam);
            return 0;
        case kShowTrayIconMessage:
            Tray();
            return 0;
        case kKeyPreviewMessage:
            FormKeyDown(wParam);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

void MainWindow::OnCommand(int id, int code) {
    switch (id) {
        case kXPBar_Location:
            if (code == SBN_ITEMCLICK) {
                int item = SideBarClickedItem(Control(kXPBar_Location));
                const std::vector<const StartupSource*> items = BarItems();
                if (item >= 0 && item < static_cast<int>(items.size()))
                    logic_->SelectLocation(items[item]->tag);
            }
            break;
        case kUsersList:
            if (code == LBN_SELCHANGE)
                ListBox1Click();
            break;
        case kLE_ApplicationName:
        case kLE_ApplicationPath:
            if (code == EN_CHANGE)
                EditChanged();
            break;
        case kButton_Browse:
            Button_BrowseClick();
            break;
        case kButton_Add:
            Button_AddClick();
            break;
        case kButton_ComputerInfo:
            if (showComputerInfo_)
                showComputerInfo_();
            break;
        case kButton_About:
            if (showAbout_)
                showAbout_();
            break;
        case kDisableApp1:
            RunOnSelectedRow(&StartupPresenter::DisableApp1Click);
            break;
        case kEnableApp1:
            RunOnSelectedRow(&StartupPresenter::EnableApp1Click);
            break;
        case kRemoveApp1:
            RunOnSelectedRow(&StartupPresenter::RemoveApp1Click);
            break;
        case kExit1:
            DestroyWindow(Handle());
            break;
        default:
            if (const std::string view = ViewOfLinkId(id); code == LLN_MOUSEDOWN && !view.empty())
                logic_->SelectLocation(view);
            break;
    }
}

void MainWindow::OnListNotify(const NMHDR& header) {
    if (header.idFrom != kStartUpListView || header.code != LVN_ITEMCHANGED)
        return;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (!(change.uChanged & LVIF_STATE) || ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) == 0)
        return;
    StartUpListViewSelectItem((change.uNewState & LVIS_SELECTED) != 0);
}

void MainWindow::StartUpListViewSelectItem(bool selected) {
    SetEntryMenuEnabled(selected);
    if (selected)
        UpdateEntryMenu();
}

void MainWindow::OnContextMenu(HWND target, POINT screen) {
    HMENU menu = target == listView_->Handle() ? entryMenu_.get()
                 : target == Handle()          ? trayMenu_.get()
                                               : nullptr;
    if (!menu)
        return;
    if (screen.x == -1 && screen.y == -1)
        GetCursorPos(&screen);  // from the keyboard
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, screen.x, screen.y, 0, Handle(), nullptr);
}

std::optional<std::string> MainWindow::SelectedUser() const {
    HWND list = Control(kUsersList);
    LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR)
        return std::nullopt;
    std::string text(SendMessageA(list, LB_GETTEXTLEN, index, 0) + 1, '\0');
    text.resize(SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data())));
    return text;
}

void MainWindow::ListBox1Click() {
    if (std::optional<std::string> user = SelectedUser())
        logic_->ListBox1Click(*user);
}

void MainWindow::EditChanged() {
    FitTextFonts();
    EnableWindow(Control(kButton_Add), logic_->AddButtonEnabled(ControlText(kLE_ApplicationName),
                                                                ControlText(kLE_ApplicationPath)));
}

void MainWindow::Button_BrowseClick() {
    if (std::optional<std::string> file =
            seams_.pickProgram(Handle(), FolderWithSeparator(OwnExecutablePath())))
        SetWindowTextA(Control(kLE_ApplicationPath), file->c_str());
}

void MainWindow::Button_AddClick() {
    logic_->Button_AddClick(ControlText(kLE_ApplicationName), ControlText(kLE_ApplicationPath),
                            SelectedUser());
}

void MainWindow::RunOnSelectedRow(Outcome (StartupPresenter::*operation)(const StartupEntry&)) {
    if (std::optional<StartupEntry> row = listView_->SelectedEntry())
        ((*logic_).*operation)(*row);
}

void MainWindow::ShowRows(std::vector<StartupEntry> rows) {
    listView_->ShowRows(std::move(rows));
}

// On the count line, whose own text stays as it always was.
void MainWindow::SetNotes(const std::string& text) {
    AddHint(tooltip_, Control(kLabel_StartUpApps), text);
}

void MainWindow::SetCountLabel(const std::string& text) {
    SetWindowTextA(Control(kLabel_StartUpApps), text.c_str());
}

void MainWindow::SetUsers(const std::vector<std::string>& users) {
    HWND list = Control(kUsersList);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& user : users)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(user.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    FitTextFonts();
    InvalidateRect(list, nullptr, TRUE);
}

void MainWindow::Focus(StartupField field) {
    const int id = field == StartupField::ApplicationName   ? kLE_ApplicationName
                   : field == StartupField::ApplicationPath ? kLE_ApplicationPath
                                                            : kUsersList;
    SetFocus(Control(id));
}

Notifier& MainWindow::ActiveNotifier() {
    return seams_.notifier ? *seams_.notifier : systemNotifier_;
}

void MainWindow::ShowMessageBox(const std::string& text, MessageKind kind) {
    ActiveNotifier().ShowMessageBox(text, kind);
}

void MainWindow::PlayPressSound() {
    ActiveNotifier().PlayPressSound();
}

void MainWindow::PlayNotifySound() {
    ActiveNotifier().PlayNotifySound();
}

void MainWindow::PlayWarningSound() {
    ActiveNotifier().PlayWarningSound();
}
