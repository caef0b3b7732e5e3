// The About window: layout, links opened on any mouse button press, and closing.
#include "AboutWindow.h"

#include <shellapi.h>

#include "resource.h"
#include "ModalWindow.h"
#include "ColorLabel.h"
#include "GradientButton.h"
#include "Hints.h"
#include "LinkLabel.h"
#include "ScrollText.h"
#include "WidgetClasses.h"
#include "WindowClassNames.h"

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr int kWidth = 487;
constexpr int kHeight = 356;
constexpr COLORREF kWhite = RGB(255, 255, 255);

void OpenWithShell(HWND owner, const std::string& address) {
    ShellExecuteA(owner, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

HICON LoadIconAt(int size) {
    return static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_TELLURIN), IMAGE_ICON, size, size, 0));
}

// Centred on the main window.
POINT CentredOn(HWND mainWindow, int width, int height) {
    RECT main{};
    GetWindowRect(mainWindow, &main);
    return {main.left + (main.right - main.left - width) / 2,
            main.top + (main.bottom - main.top - height) / 2};
}

}  // namespace

AboutWindow::AboutWindow(HWND mainWindow, LinkOpener openLink)
    : mainWindow_(mainWindow), openLink_(openLink ? std::move(openLink) : LinkOpener(OpenWithShell)) {
    background_.reset(CreateSolidBrush(kBackgroundColor));
    icon_.reset(LoadIconAt(48));
    RegisterClassOnce(kAboutWindowClass, icon_.get(), nullptr);
    CreateTopLevel(kAboutWindowClass, "About Tellurin", kStyle, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, 0,
                   0, kWidth, kHeight, mainWindow);
    CentreOnMainWindow();
    CreateControls();
}

void AboutWindow::CentreOnMainWindow() {
    RECT frame{};
    GetWindowRect(Handle(), &frame);
    POINT at = CentredOn(mainWindow_, frame.right - frame.left, frame.bottom - frame.top);
    SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void AboutWindow::CreateControls() {
    HWND form = Handle();
    HFONT font = Font("MS Sans Serif", 11);
    HFONT stripFont = Font("MS Sans Serif", 16, true);
    logo_.reset(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_LOGO), IMAGE_BITMAP, 0, 0, 0));
    tooltip_ = CreateHints(form);

    // The OK button first: it is first in the tab order.
    HWND ok =
        CreateChild(form, kGradientButtonClass, "&Ok", WS_VISIBLE | WS_TABSTOP, kOkButton, 397, 290, 75, 19);
    SetGradientButtonScheme(ok, GradientScheme::Sky);
    SendMessageA(ok, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    SetColorLabelStyle(
        CreateChild(form, kColorLabelClass, "Credits:", WS_VISIBLE, kLabel_Credits, 0, 0, 65, 20),
        kAccentColor, kWhite, stripFont, DT_LEFT);
    HWND strip = CreateChild(form, kScrollTextClass, "Tellurin developers  -  design, code and artwork",
                             WS_VISIBLE, kVrScrollText1, 65, 0, 421, 20);
    SetScrollTextColors(strip, kAccentColor, kWhite);
    SendMessageA(strip, WM_SETFONT, reinterpret_cast<WPARAM>(stripFont), FALSE);
    AddHint(tooltip_, strip, "Written by the Tellurin developers");

    SetColorLabelStyle(
        CreateChild(form, kColorLabelClass, "Tellurin 1.0.0.5", WS_VISIBLE, kLabel_Version, 88, 48, 379, 35),
        kBackgroundColor, RGB(255, 0, 0), Font("Futurist-Stencil", 31), DT_LEFT);
    struct Link {
        int labelId, linkId;
        const char* label;
        const char* address;
        const char* hint;
        int top, width;
    };
    const Link links[] = {
        {kLabel_WebCaption, kLabel_Link, "Web:", kWebAddress, "Visit the Tellurin developers online", 120,
         225},
        {kLabel_ProductCaption, kLabel_Product, "Product:", kProductAddress, "Visit Tellurin", 144, 297},
    };
    for (const Link& link : links) {
        SetColorLabelStyle(
            CreateChild(form, kColorLabelClass, link.label, WS_VISIBLE, link.labelId, 8, link.top, 60, 14),
            kBackgroundColor, RGB(0, 0, 0), font, DT_LEFT);
        HWND label = CreateChild(form, kLinkLabelClass, link.address, WS_VISIBLE, link.linkId, 72, link.top,
                                 link.width, 20);
        SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(Font("MS Sans Serif", 12)), FALSE);
        AddHint(tooltip_, label, link.hint);
    }
    for (auto [id, top] : {std::pair{kLabel_Logo_1, 194}, std::pair{kLabel_Logo_2, 254}})
        SetColorLabelStyle(CreateChild(form, kColorLabelClass, "", WS_VISIBLE, id, 0, top, kWidth, 3),
                           kAccentColor, kAccentColor, nullptr, DT_LEFT);
    SetColorLabelStyle(CreateChild(form, kColorLabelClass, "Copyright (C) 2026 Tellurin developers  ",
                                   WS_VISIBLE, kAboutCopyright, 0, 340, kWidth, 17),
                       kAccentColor, kWhite, Font("MS Sans Serif", 13, true), DT_RIGHT);
    PlaceControlsAtDpi();
}

void AboutWindow::ShowModal() {
    ::ShowModal(Handle(), mainWindow_);
}

LRESULT AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT answer = 0;
        AnswerBodyMessage(message, wParam, lParam, background_.get(), Body::Fixed, answer))
        return answer;
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == kOkButton || LOWORD(wParam) == IDCANCEL)
                OkButtonClick();
            if (HIWORD(wParam) == LLN_MOUSEDOWN)
                OpenLinkOf(LOWORD(wParam));
            return 0;
        case WM_CLOSE:
            ShowWindow(Handle(), SW_HIDE);
            FormClose();
            return 0;
        case WM_PAINT:
            Paint();
            return 0;
        default:
            return Default(message, wParam, lParam);
    }
}

void AboutWindow::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    const Dpi dpi = WindowDpi();
    const int iconSize = dpi.Scale(48);
    // Loaded at the size it is drawn, so the system picks the best image of the icon for it.
    if (iconSize != 48 && iconSize != scaledIconSize_) {
        scaledIcon_.reset(LoadIconAt(iconSize));
        scaledIconSize_ = iconSize;
    }
    HICON icon = iconSize == 48 ? icon_.get() : scaledIcon_.get();
    DrawIconEx(dc, dpi.Scale(24), dpi.Scale(40), icon, iconSize, iconSize, 0, nullptr, DI_NORMAL);
    BITMAP size{};
    GetObjectA(logo_.get(), sizeof size, &size);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, logo_.get());
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    const RECT logo = dpi.Box(0, 197, kWidth, 57);
    StretchBlt(dc, logo.left, logo.top, logo.right - logo.left, logo.bottom - logo.top, memory, 0, 0,
               size.bmWidth, size.bmHeight, SRCCOPY);
    SelectObject(memory, previous);
    DeleteDC(memory);
    EndPaint(Handle(), &paint);
}

void AboutWindow::OkButtonClick() {
    SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

void AboutWindow::FormClose() {
    ShowWindow(mainWindow_, SW_SHOW);
}

void AboutWindow::OpenLinkOf(int labelId) {
    openLink_(Handle(), ControlText(labelId));
}
