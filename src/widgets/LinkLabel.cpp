// Link label: hover look through mouse tracking, notification on any button press.
#include "LinkLabel.h"

#include "WidgetPaint.h"
#include "WidgetProcs.h"
#include "WidgetWindow.h"

namespace {

constexpr LONG kCharacterHeight = -12;  // negative: character height, without internal leading
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);

// The label makes its two fonts from the one it is given (or the dialog font) and owns them.
struct LinkLabelState {
    COLORREF text = kLinkBlue;
    HFONT given = nullptr;
    UniqueFont normal;
    UniqueFont hotFont;
    bool hot = false;
};

void MakeFonts(LinkLabelState& state, HFONT given) {
    state.given = given;
    const LONG height = given ? 0 : kCharacterHeight;
    state.normal = DeriveFont(given, FW_NORMAL, false, height);
    state.hotFont = DeriveFont(given, FW_BOLD, true, height);
}

void Paint(HWND window, const LinkLabelState& state) {
    BufferedPaint paint(window);
    HDC dc = paint.dc();
    PaintParentBackground(window, dc);
    const std::string text = WindowText(window);
    RECT rect = paint.client();
    SelectGuard font(dc, state.hot ? state.hotFont.get() : state.normal.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, state.text);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void SetHot(HWND window, LinkLabelState& state, bool hot) {
    if (hot && !state.hot)
        TrackMouseLeave(window);
    if (state.hot == hot)
        return;
    state.hot = hot;
    InvalidateRect(window, nullptr, FALSE);
}

LRESULT HandleLinkLabel(HWND window, LinkLabelState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            MakeFonts(state, nullptr);
            return 0;
        case WM_PAINT:
            Paint(window, state);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEMOVE:
            SetHot(window, state, true);
            return 0;
        case WM_MOUSELEAVE:
            SetHot(window, state, false);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            NotifyParent(window, LLN_MOUSEDOWN);
            return 0;
        case WM_SETFONT:
            MakeFonts(state, reinterpret_cast<HFONT>(wParam));
            if (LOWORD(lParam))
                InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state.given);
        case WM_SETTEXT:
            InvalidateRect(window, nullptr, FALSE);
            break;
        case LLM_ISHOT:
            return state.hot;
        case LLM_SETCOLOR:
            state.text = static_cast<COLORREF>(wParam);
            InvalidateRect(window, nullptr, FALSE);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK LinkLabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return WidgetProc<LinkLabelState, HandleLinkLabel>(window, message, wParam, lParam);
}
