// Owned GDI objects and the fonts the windows use.
#pragma once

#include <windows.h>

#include "GdiHandles.h"

// A font whose characters are the given number of pixels high. An outline font is preferred where
// the face also comes as a bitmap font made for other sizes (scaled displays).
UniqueGdiObject CreatePixelFont(const char* face,
                                int characterHeight,
                                bool bold = false,
                                bool underline = false,
                                bool preferOutline = false);

// A copy of the bitmap stretched to the given size; pixel for pixel, so a mask colour stays exact.
UniqueGdiObject ScaledBitmap(HBITMAP source, int width, int height);

// A bitmap resource read in place: its header and pixels stay in the program's mapped image, so
// drawing it (StretchDIBits) costs no private copy. Empty when the resource is missing.
struct ResourceDib {
    const BITMAPINFO* info = nullptr;
    const void* bits = nullptr;
};
ResourceDib FindResourceDib(HINSTANCE instance, int id);

inline HFONT AsFont(const UniqueGdiObject& font) {
    return static_cast<HFONT>(font.get());
}

// The program's two colours: the light background and the accent blue.
inline constexpr COLORREF kBackgroundColor = RGB(217, 236, 255);
inline constexpr COLORREF kAccentColor = RGB(0, 89, 179);
