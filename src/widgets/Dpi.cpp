// Where a window's DPI comes from: the system, the window's monitor, or the window's own record.
#include "widgets/Dpi.h"

namespace {

// A window property rather than a message: every control reads it without knowing its parent's class.
constexpr const char* kDpiProperty = "Tellurin.Dpi";

}  // namespace

Dpi Dpi::OfSystem() {
    static const Dpi system = [] {
        HDC screen = GetDC(nullptr);
        const int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesign;
        if (screen)
            ReleaseDC(nullptr, screen);
        return Dpi(value);
    }();
    return system;
}

Dpi Dpi::OfNewWindow(HWND window) {
    // Windows 10 1607 and later know a window's monitor DPI; older systems have one DPI for all.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    const UINT value = getDpiForWindow ? getDpiForWindow(window) : 0;
    return value ? Dpi(static_cast<int>(value)) : OfSystem();
}

Dpi Dpi::OfWindow(HWND window) {
    HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
    const auto value = root ? reinterpret_cast<INT_PTR>(GetPropA(root, kDpiProperty)) : 0;
    return value ? Dpi(static_cast<int>(value)) : OfSystem();
}

void Dpi::Attach(HWND topLevel, Dpi dpi) {
    SetPropA(topLevel, kDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi.Value())));
}

void Dpi::Detach(HWND topLevel) {
    RemovePropA(topLevel, kDpiProperty);
}
