// Bevel frame: its window region is only the border ring, so everything inside shows and gets the mouse.
#include "BevelFrame.h"

#include <utility>

#include "Dpi.h"
#include "WidgetColors.h"
#include "WidgetPaint.h"
#include "WidgetProcs.h"
#include "WidgetWindow.h"

namespace {

constexpr int kToneWidth = 1;  // each of the two tones, at 96 DPI
constexpr COLORREF kInnerDefault = RGB(140, 190, 240);

struct BevelFrameState {
    COLORREF outer = kAccentColor;
    COLORREF inner = kInnerDefault;
    SIZE shaped{-1, -1};  // setting the region can send WM_SIZE again; the same size is not reshaped
};

// Cuts the window down to the ring of both tones; the system takes ownership of the region.
void ShapeAsRing(HWND window, BevelFrameState& state, int width, int height) {
    if (state.shaped.cx == width && state.shaped.cy == height)
        return;
    state.shaped = SIZE{width, height};
    UniqueRegion ring(CreateRectRgn(0, 0, width, height));
    const int inset = Dpi::OfWindow(window).Scale(2 * kToneWidth);
    UniqueRegion hole(CreateRectRgn(inset, inset, width - inset, height - inset));
    if (!ring || !hole)
        return;
    CombineRgn(ring.get(), ring.get(), hole.get(), RGN_DIFF);
    if (SetWindowRgn(window, ring.get(), TRUE))
        ring.release();
}

void Paint(HWND window, const BevelFrameState& state) {
    BufferedPaint paint(window);
    HDC dc = paint.dc();
    RECT rect = paint.client();
    // Tone edges at the scaled design edges, so the ring meets what stands next to it.
    const Dpi dpi = Dpi::OfWindow(window);
    int edge = 0;
    for (auto [tone, end] :
         {std::pair{state.outer, dpi.Scale(kToneWidth)}, std::pair{state.inner, dpi.Scale(2 * kToneWidth)}}) {
        for (; edge < end; ++edge) {
            FrameSolid(dc, rect, tone);
            InflateRect(&rect, -1, -1);
        }
    }
}

LRESULT HandleBevelFrame(HWND window, BevelFrameState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_SIZE:
            ShapeAsRing(window, state, LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_PAINT:
            Paint(window, state);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case BFM_SETCOLORS:
            state.outer = static_cast<COLORREF>(wParam);
            state.inner = static_cast<COLORREF>(lParam);
            InvalidateRect(window, nullptr, FALSE);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK BevelFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WidgetProc<BevelFrameState, HandleBevelFrame>(window, message, wParam, lParam);
}
