// RAII for the GDI objects, selections and device contexts the controls paint with.
#pragma once

#include <windows.h>

// Owns one GDI object (font, brush, pen, bitmap, region) and deletes it.
template <typename Object>
class GdiObject {
public:
    GdiObject() noexcept = default;
    explicit GdiObject(Object object) noexcept : object_(object) {}
    ~GdiObject() { reset(); }
    GdiObject(GdiObject&& other) noexcept : object_(other.release()) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Object get() const noexcept { return object_; }
    Object release() noexcept {
        Object object = object_;
        object_ = nullptr;
        return object;
    }
    void reset(Object object = nullptr) noexcept {
        if (object_)
            DeleteObject(object_);
        object_ = object;
    }
    explicit operator bool() const noexcept { return object_ != nullptr; }

private:
    Object object_ = nullptr;
};
using UniqueFont = GdiObject<HFONT>;
using UniqueBrush = GdiObject<HBRUSH>;
using UniquePen = GdiObject<HPEN>;
using UniqueBitmap = GdiObject<HBITMAP>;
using UniqueRegion = GdiObject<HRGN>;

// Selects an object into a DC and puts the previous one back on scope exit.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectGuard() {
        if (previous_)
            SelectObject(dc_, previous_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The window's DC for measuring outside WM_PAINT.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// One WM_PAINT, drawn off screen and copied in one step so the control does not flicker.
class BufferedPaint {
public:
    explicit BufferedPaint(HWND window) noexcept;
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;

    // The DC to draw on: the off-screen bitmap, or the window itself when none could be made.
    HDC dc() const noexcept { return memory_ ? memory_ : paint_.hdc; }
    const RECT& client() const noexcept { return client_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    RECT client_{};
    HDC memory_ = nullptr;
    UniqueBitmap bitmap_;
    HGDIOBJ previousBitmap_ = nullptr;
};
