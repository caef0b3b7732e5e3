// The shared window procedure of the program's own windows.
#include "WindowBase.h"

#include "ErrorDisplay.h"
#include "WidgetPaint.h"

HWND CreateChild(HWND parent,
                 const char* className,
                 const char* text,
                 DWORD style,
                 int id,
                 int left,
                 int top,
                 int width,
                 int height,
                 DWORD exStyle) {
    return CreateWindowExA(exStyle, className, text, WS_CHILD | style, left, top, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                           nullptr);
}

void SetControlFont(HWND control, HFONT font) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

WindowBase::~WindowBase() {
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void WindowBase::RegisterClassOnce(const char* className, HICON icon, HBRUSH background) {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoExA(instance, className, &existing))
        return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = icon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    RegisterClassExA(&windowClass);
}

void WindowBase::CreateTopLevel(const char* className,
                                const char* caption,
                                DWORD style,
                                DWORD exStyle,
                                int left,
                                int top,
                                int clientWidth,
                                int clientHeight,
                                HWND owner) {
    designClient_ = SIZE{clientWidth, clientHeight};
    RECT frame{0, 0, dpi_.Scale(clientWidth), dpi_.Scale(clientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    CreateWindowExA(exStyle, className, caption, style, dpi_.Scale(left), dpi_.Scale(top),
                    frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                    GetModuleHandleA(nullptr), this);
    // A window opened on a monitor of another scale (per-monitor awareness) takes that monitor's.
    if (const Dpi monitor = Dpi::OfNewWindow(hwnd_); hwnd_ && monitor != dpi_) {
        RECT placed{};
        GetWindowRect(hwnd_, &placed);
        ApplyDpi(monitor, POINT{placed.left, placed.top});
    }
}

HFONT WindowBase::Font(const char* face, int characterHeight, bool bold) {
    for (const ScaledFont& made : fonts_)
        if (made.face == face && made.characterHeight == characterHeight && made.bold == bold)
            return AsFont(made.font);
    fonts_.push_back({face, characterHeight, bold,
                      CreatePixelFont(face, dpi_.ScaleFont(characterHeight), bold, false, dpi_ != Dpi())});
    return AsFont(fonts_.back().font);
}

void WindowBase::PlaceControlsAtDpi() {
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT box{};
        GetWindowRect(child, &box);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&box), 2);
        layout_.push_back({child, RECT{box.left, box.top, box.right - box.left, box.bottom - box.top}});
    }
    if (dpi_ == Dpi())
        return;  // already where the design puts them
    for (const DesignBox& placed : layout_) {
        const RECT box = dpi_.Box(placed.box.left, placed.box.top, placed.box.right, placed.box.bottom);
        SetWindowPos(placed.control, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ScaleExtras();
}

LRESULT WindowBase::DpiChanged(WPARAM wParam, LPARAM lParam) {
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    POINT topLeft{};
    if (suggested) {
        topLeft = POINT{suggested->left, suggested->top};
    } else {
        RECT window{};
        GetWindowRect(hwnd_, &window);
        topLeft = POINT{window.left, window.top};
    }
    ApplyDpi(Dpi(HIWORD(wParam)), topLeft);
    return 0;
}

RECT WindowBase::FrameFor(int clientWidth, int clientHeight) const {
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_EXSTYLE));
    RECT frame{0, 0, clientWidth, clientHeight};
    // The frame at the new DPI where the system can tell it (Windows 10 1607 and later).
    using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = reinterpret_cast<AdjustForDpiFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "AdjustWindowRectExForDpi")));
    if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi_.Value())))
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return frame;
}

void WindowBase::ApplyDpi(Dpi dpi, POINT windowTopLeft) {
    dpi_ = dpi;
    Dpi::Attach(hwnd_, dpi_);
    RescaleFonts();
    const SIZE client{dpi_.Scale(designClient_.cx), dpi_.Scale(designClient_.cy)};
    const RECT frame = FrameFor(client.cx, client.cy);
    SIZE outer{frame.right - frame.left, frame.bottom - frame.top};
    SetWindowPos(hwnd_, nullptr, windowTopLeft.x, windowTopLeft.y, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame drawn may differ from the one reported (Wine keeps the system DPI's): the client
    // size is what must come out right.
    RECT placed{};
    GetClientRect(hwnd_, &placed);
    if (placed.right != client.cx || placed.bottom != client.cy)
        SetWindowPos(hwnd_, nullptr, 0, 0, outer.cx + client.cx - placed.right,
                     outer.cy + client.cy - placed.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const DesignBox& placed : layout_) {
        const RECT box = dpi_.Box(placed.box.left, placed.box.top, placed.box.right, placed.box.bottom);
        SetWindowPos(placed.control, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ScaleExtras();
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// New fonts at the new DPI take the place of the old ones in every control that used them.
void WindowBase::RescaleFonts() {
    std::vector<UniqueGdiObject> old;
    for (ScaledFont& made : fonts_) {
        UniqueGdiObject font = CreatePixelFont(made.face.c_str(), dpi_.ScaleFont(made.characterHeight),
                                               made.bold, false, dpi_ != Dpi());
        for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (reinterpret_cast<HFONT>(SendMessageA(child, WM_GETFONT, 0, 0)) == AsFont(made.font))
                SetControlFont(child, AsFont(font));
        old.push_back(std::move(made.font));
        made.font = std::move(font);
    }
}

LRESULT WindowBase::EraseBackground(HDC dc, HGDIOBJ brush) {
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(brush));
    return 1;
}

LRESULT WindowBase::HitTestDraggingBody(WPARAM wParam, LPARAM lParam) {
    const LRESULT hit = Default(WM_NCHITTEST, wParam, lParam);
    return hit == HTCLIENT ? HTCAPTION : hit;
}

LRESULT CALLBACK WindowBase::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        Dpi::Attach(window, self->dpi_);
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        Dpi::Detach(window);
        self->hwnd_ = nullptr;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (!DispatchSafely([&] { result = self->HandleMessage(message, wParam, lParam); }))
        result = DefWindowProcA(window, message, wParam, lParam);
    return result;
}

bool WindowBase::AnswerBodyMessage(UINT message,
                                   WPARAM wParam,
                                   LPARAM lParam,
                                   HGDIOBJ background,
                                   Body body,
                                   LRESULT& answer) {
    switch (message) {
        case WM_DPICHANGED:
            answer = DpiChanged(wParam, lParam);
            return true;
        case WM_ERASEBKGND:
            answer = EraseBackground(reinterpret_cast<HDC>(wParam), background);
            return true;
        case WM_NCHITTEST:
            if (body != Body::Dragged)
                return false;
            answer = HitTestDraggingBody(wParam, lParam);
            return true;
        case WM_CTLCOLORSTATIC:
            if (body != Body::Dragged)
                return false;
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            answer = reinterpret_cast<LRESULT>(background);
            return true;
        default:
            return false;
    }
}

std::string WindowBase::ControlText(int id) const {
    return WindowText(Control(id));
}
