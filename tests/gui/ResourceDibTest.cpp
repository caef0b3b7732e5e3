// Bitmap resources read in place draw the same pixels as the bitmaps the system loads from them.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "resource.h"
#include "GdiObjects.h"

namespace {

// The picture's pixels drawn into a 32-bit DIB of its own size by the given drawing.
template <typename Draw>
std::vector<DWORD> Drawn(int width, int height, Draw draw) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueGdiObject target(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, target.get());
    draw(dc);
    GdiFlush();
    std::vector<DWORD> pixels(static_cast<const DWORD*>(bits),
                              static_cast<const DWORD*>(bits) + width * height);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return pixels;
}

}  // namespace

TEST(ResourceDibTest, DrawsThePixelsOfTheLoadedBitmap) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (const int id : {IDB_HEADER, IDB_LOGO}) {  // 24 bits a pixel, and a palette
        const ResourceDib dib = FindResourceDib(instance, id);
        ASSERT_NE(dib.info, nullptr) << id;
        const int width = dib.info->bmiHeader.biWidth;
        const int height = dib.info->bmiHeader.biHeight;
        UniqueGdiObject loaded(
            LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        const auto fromResource = Drawn(width, height, [&](HDC dc) {
            StretchDIBits(dc, 0, 0, width, height, 0, 0, width, height, dib.bits, dib.info, DIB_RGB_COLORS,
                          SRCCOPY);
        });
        const auto fromLoaded = Drawn(width, height, [&](HDC dc) {
            HDC source = CreateCompatibleDC(dc);
            HGDIOBJ previous = SelectObject(source, loaded.get());
            BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
            SelectObject(source, previous);
            DeleteDC(source);
        });
        EXPECT_EQ(fromResource, fromLoaded) << id;
    }
    EXPECT_EQ(FindResourceDib(instance, 9999).info, nullptr);
}
