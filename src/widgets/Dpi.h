// Display scale: lengths designed at 96 DPI, placed at a window's DPI.
#pragma once

#include <windows.h>

class Dpi {
public:
    static constexpr int kDesign = 96;

    constexpr Dpi() = default;
    constexpr explicit Dpi(int value) : value_(value > 0 ? value : kDesign) {}

    constexpr int Value() const { return value_; }
    constexpr bool operator==(const Dpi&) const = default;

    // A design coordinate at this DPI, rounded to the nearest pixel (halves up, negatives too).
    constexpr int Scale(int design) const {
        const long long scaled = static_cast<long long>(design) * value_ + kDesign / 2;
        return static_cast<int>(scaled >= 0 ? scaled / kDesign : -((-scaled + kDesign - 1) / kDesign));
    }
    // A font's character height at this DPI, rounded down: glyphs grow a little faster than their
    // height, and a caption must not outgrow its box.
    constexpr int ScaleFont(int design) const { return design * value_ / kDesign; }
    // A design box given as left, top, width, height. Its edges are scaled, not its size, so boxes
    // that touch at 96 DPI still touch and never overlap.
    constexpr RECT Box(int left, int top, int width, int height) const {
        return RECT{Scale(left), Scale(top), Scale(left + width), Scale(top + height)};
    }

    // The DPI the system gives windows that do not say otherwise (the primary monitor's); fixed for
    // the process's life.
    static Dpi OfSystem();
    // The DPI a new top-level window was placed at: its monitor's, where the system tells.
    static Dpi OfNewWindow(HWND window);
    // The DPI a control's top-level window lays itself out at (the system's until one is attached).
    static Dpi OfWindow(HWND window);
    // Records the DPI a top-level window lays itself out at, for its controls to read.
    static void Attach(HWND topLevel, Dpi dpi);
    // Removes that record before the window goes.
    static void Detach(HWND topLevel);

private:
    int value_ = kDesign;
};
