// The off-screen painting of BufferedPaint.
#include "widgets/GdiGuards.h"

BufferedPaint::BufferedPaint(HWND window) noexcept : window_(window) {
    BeginPaint(window, &paint_);
    GetClientRect(window, &client_);
    if (!paint_.hdc || client_.right <= 0 || client_.bottom <= 0)
        return;
    memory_ = CreateCompatibleDC(paint_.hdc);
    bitmap_.reset(CreateCompatibleBitmap(paint_.hdc, client_.right, client_.bottom));
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
