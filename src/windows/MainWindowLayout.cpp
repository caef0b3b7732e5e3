// The main window's controls, menus and painting: positions, sizes, colours and fonts.
#include <windows.h>
#include <commctrl.h>

#include "resource.h"
#include "StartupSources.h"
#include "MainWindowIds.h"
#include "MainWindow.h"
#include "ColorLabel.h"
#include "FallbackText.h"
#include "GradientButton.h"
#include "Hints.h"
#include "LinkLabel.h"
#include "SideBar.h"
#include "WidgetClasses.h"

namespace {

std::vector<const StartupSource*> ViewsBelowTheBar() {
    std::vector<const StartupSource*> views;
    for (const StartupSource* view : Views())
        if (!view->IsBarItem())
            views.push_back(view);
    return views;
}

}  // namespace

int LinkIdOf(const std::string& view) {
    const std::vector<const StartupSource*> views = ViewsBelowTheBar();
    for (size_t index = 0; index < views.size(); ++index)
        if (view == views[index]->tag)
            return kLink_MoreViews + static_cast<int>(index);
    return -1;
}

std::string ViewOfLinkId(int id) {
    const std::vector<const StartupSource*> views = ViewsBelowTheBar();
    const int index = id - kLink_MoreViews;
    return index >= 0 && index < static_cast<int>(views.size()) ? views[index]->tag : "";
}

namespace {

constexpr int kLabelGap = 8;  // between a labelled edit and its label
constexpr int kLabelWidth = 120;

}  // namespace

void MainWindow::CreateControls() {
    HWND form = Handle();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HFONT font = Font("MS Sans Serif", 11);
    header_ = FindResourceDib(instance, IDB_HEADER);
    tooltip_ = CreateHints(form);

    HWND location =
        CreateChild(form, kSideBarClass, "Location", WS_VISIBLE, kXPBar_Location, 3, 124, 140, 138);
    SideBarSetCollapsible(location, true);
    for (const StartupSource* item : BarItems())
        SideBarAddItem(location, item->caption, item->hint);
    // The views beyond the bar's five, as links in the room below it: the bar keeps its size.
    int linkTop = 266;
    for (const StartupSource* view : ViewsBelowTheBar()) {
        HWND link = CreateChild(form, kLinkLabelClass, view->caption, WS_VISIBLE, LinkIdOf(view->tag), 14,
                                linkTop, 126, 15);
        SendMessageA(link, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        AddHint(tooltip_, link, view->hint);
        linkTop += 16;
    }
    CreateChild(form, kSideBarClass, "Users", WS_VISIBLE, kXPBar_Users, 3, 300, 140, 35);
    CreateChild(form, WC_LISTBOXA, "",
                WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kUsersList, 3, 335,
                140, 104, WS_EX_CLIENTEDGE);

    HWND splitter = CreateChild(form, kColorLabelClass, "", WS_VISIBLE, kLabel_Splitter, 143, 124, 3, 315);
    SetColorLabelStyle(splitter, kAccentColor, kAccentColor, nullptr, DT_LEFT);
    listView_ = std::make_unique<EntryListView>(form, kStartUpListView, RECT{146, 124, 146 + 594, 124 + 315},
                                                instance, IDB_REGSTATUS);
    HWND rule = CreateChild(form, kColorLabelClass, "", WS_VISIBLE, kLabel_preInstall, 3, 439, 737, 3);
    SetColorLabelStyle(rule, kAccentColor, kAccentColor, nullptr, DT_LEFT);

    struct LabelledEdit {
        int id, labelId;
        const char* label;
        const char* hint;
        int left, top, width;
    };
    const LabelledEdit edits[] = {
        {kLE_ApplicationPath, kLabel_ApplicationPath, "Application Path:", "The path for the application.",
         283, 446, 305},
        {kLE_ApplicationName, kLabel_ApplicationName,
         "Application Name:", "The name how you want to appear in registry.", 283, 478, 193},
    };
    for (const LabelledEdit& edit : edits) {
        CreateChild(form, WC_STATICA, edit.label, WS_VISIBLE | SS_RIGHT, edit.labelId,
                    edit.left - kLabelGap - kLabelWidth, edit.top + 3, kLabelWidth, 13);
        HWND box = CreateChild(form, WC_EDITA, "", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, edit.id,
                               edit.left, edit.top, edit.width, 19, WS_EX_CLIENTEDGE);
        AddHint(tooltip_, box, edit.hint);
    }

    struct Button {
        int id;
        const char* caption;
        const char* hint;
        int left, top;
    };
    const Button buttons[] = {
        {kButton_Browse, "&Browse", "Browse for application.", 611, 446},
        {kButton_ComputerInfo, "Comp Info", "Computer information: owner, browser, proxy and restrictions",
         51, 454},
        {kButton_Add, "&Add", "Add application to registry.", 611, 478},
        {kButton_About, "About", "About Tellurin", 51, 478},
    };
    for (const Button& button : buttons)
        AddHint(tooltip_,
                CreateChild(form, kGradientButtonClass, button.caption, WS_VISIBLE | WS_TABSTOP, button.id,
                            button.left, button.top, 89, 19),
                button.hint);
    EnableWindow(Control(kButton_Add), FALSE);

    // The footer line first, so that the count label is drawn over its left part.
    HWND footer = CreateChild(form, kColorLabelClass, "Tellurin - startup entries and station settings  ",
                              WS_VISIBLE | WS_CLIPSIBLINGS, kLabel_Copyright, 3, 506, 737, 17);
    SetColorLabelStyle(footer, kAccentColor, RGB(255, 255, 255), Font("MS Sans Serif", 13, true), DT_RIGHT);
    HWND count = CreateChild(form, kColorLabelClass, "", WS_VISIBLE | WS_CLIPSIBLINGS, kLabel_StartUpApps, 3,
                             506, 345, 17);
    SetColorLabelStyle(count, kAccentColor, RGB(255, 255, 255), Font("Tahoma", 13), DT_LEFT);
    SetWindowPos(count, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

    for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (child != footer && child != count)
            SetControlFont(child, font);
    PlaceControlsAtDpi();
}

void MainWindow::ScaleExtras() {
    listView_->ScaleTo(WindowDpi());
    FitTextFonts();
}

void MainWindow::FitTextFonts() {
    HFONT font = Font("MS Sans Serif", 11);
    for (int id : {kLE_ApplicationName, kLE_ApplicationPath})
        FitControlFont(Control(id), font, ControlText(id));
    // One font for the whole list: its rows are drawn by the list box itself.
    HWND users = Control(kUsersList);
    std::string names;
    const LRESULT count = SendMessageA(users, LB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        std::string name(SendMessageA(users, LB_GETTEXTLEN, index, 0) + 1, '\0');
        name.resize(SendMessageA(users, LB_GETTEXT, index, reinterpret_cast<LPARAM>(name.data())));
        names += name + "\n";
    }
    FitControlFont(users, font, names);
}

void MainWindow::CreateMenus() {
    entryMenu_.reset(CreatePopupMenu());
    AppendMenuA(entryMenu_.get(), MF_STRING, kDisableApp1, "&Disable App");
    AppendMenuA(entryMenu_.get(), MF_STRING, kEnableApp1, "&Enable App");
    AppendMenuA(entryMenu_.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(entryMenu_.get(), MF_STRING, kRemoveApp1, "Remove App");

    trayMenu_.reset(CreatePopupMenu());
    AppendMenuA(trayMenu_.get(), MF_STRING, kExit1, "Exit");
    exitImage_.reset(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_EXIT), IMAGE_BITMAP, 0, 0,
                                LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS));
    if (const int size = WindowDpi().Scale(16); size != 16)
        exitImage_ = ScaledBitmap(static_cast<HBITMAP>(exitImage_.get()), size, size);
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_BITMAP;
    item.hbmpItem = static_cast<HBITMAP>(exitImage_.get());
    SetMenuItemInfoA(trayMenu_.get(), kExit1, FALSE, &item);
}

void MainWindow::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    // One bitmap for every scale, smoothed when stretched; its edges are the design's, scaled.
    const RECT box = WindowDpi().Box(0, -1, 742, 123);
    SetStretchBltMode(dc, WindowDpi() == Dpi() ? COLORONCOLOR : HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    if (header_.info)
        StretchDIBits(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, 0, 0, 742, 123,
                      header_.bits, header_.info, DIB_RGB_COLORS, SRCCOPY);
    EndPaint(Handle(), &paint);
}
