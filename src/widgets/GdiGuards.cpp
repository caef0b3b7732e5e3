// The off-screen painting of BufferedPaint.
#include "GdiGuards.h"

BufferedPaint::BufferedPaint(HWND window) noexcept : window_(window) {
    BeginPaint(window, &paint_);
    GetClientRect(window, &client_);
    if (!paint_.hdc || client_.right <= 0 || client_.bottom <= 0)
        return;
    // A screen-independent DIB and DC: a bitmap compatible with the window's DC costs the system a
    // look at the display's configuration for every paint.
    memory_ = CreateCompatibleDC(nullptr);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = client_.right;
    format.bmiHeader.biHeight = -client_.bottom;  // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (memory_ && bitmap_) {
        previousBitmap_ = SelectObject(memory_, bitmap_.get());
        return;
    }
    if (memory_)
        DeleteDC(memory_);
    memory_ = nullptr;
}

BufferedPaint::~BufferedPaint() {
    if (memory_) {
        BitBlt(paint_.hdc, 0, 0, client_.right, client_.bottom, memory_, 0, 0, SRCCOPY);
        SelectObject(memory_, previousBitmap_);
        DeleteDC(memory_);
    }
    EndPaint(window_, &paint_);
}
