// Where a window's DPI comes from: the system, the window's monitor, or the window's own record.
#include "Dpi.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace {

// The DPI each top-level window lays itself out at. Every control reads it on every paint, so it is
// kept in the process: a window property is answered by the system's server on each read.
struct Attached {
    HWND topLevel;
    int dpi;
};

std::mutex attachedGuard;
std::vector<Attached> attached;

std::vector<Attached>::iterator RecordOf(HWND topLevel) {
    return std::find_if(attached.begin(), attached.end(),
                        [topLevel](const Attached& record) { return record.topLevel == topLevel; });
}

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
    std::lock_guard lock(attachedGuard);
    const auto record = RecordOf(root);
    return record != attached.end() ? Dpi(record->dpi) : OfSystem();
}

void Dpi::Attach(HWND topLevel, Dpi dpi) {
    std::lock_guard lock(attachedGuard);
    const auto record = RecordOf(topLevel);
    if (record != attached.end())
        record->dpi = dpi.Value();
    else
        attached.push_back({topLevel, dpi.Value()});
}

void Dpi::Detach(HWND topLevel) {
    std::lock_guard lock(attachedGuard);
    const auto record = RecordOf(topLevel);
    if (record != attached.end())
        attached.erase(record);
}
