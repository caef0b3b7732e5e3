// Drawing and input helpers the controls share.
#include "WidgetPaint.h"

#include "WidgetColors.h"

namespace {

TRIVERTEX Vertex(LONG x, LONG y, COLORREF color) {
    return TRIVERTEX{x,
                     y,
                     static_cast<COLOR16>(GetRValue(color) << 8),
                     static_cast<COLOR16>(GetGValue(color) << 8),
                     static_cast<COLOR16>(GetBValue(color) << 8),
                     0};
}

void FillGradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to, ULONG mode) {
    TRIVERTEX vertices[2] = {Vertex(rect.left, rect.top, from), Vertex(rect.right, rect.bottom, to)};
    GRADIENT_RECT gradient{0, 1};
    // gdi32's own entry point: msimg32 is not a known DLL, so the program does not import it.
    if (!GdiGradientFill(dc, vertices, 2, &gradient, 1, mode))
        FillSolid(dc, rect, from);
}

}  // namespace

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
    UniqueBrush brush(CreateSolidBrush(color));
    if (brush)
        FillRect(dc, &rect, brush.get());
}

void FrameSolid(HDC dc, const RECT& rect, COLORREF color) {
    UniqueBrush brush(CreateSolidBrush(color));
    if (brush)
        FrameRect(dc, &rect, brush.get());
}

void FillVerticalGradient(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom) {
    FillGradient(dc, rect, top, bottom, GRADIENT_FILL_RECT_V);
}

void FillHorizontalGradient(HDC dc, const RECT& rect, COLORREF left, COLORREF right) {
    FillGradient(dc, rect, left, right, GRADIENT_FILL_RECT_H);
}

void DrawLine(HDC dc, POINT from, POINT to, COLORREF color, int width) {
    UniquePen pen(CreatePen(PS_SOLID, width, color));
    SelectGuard selected(dc, pen.get());
    MoveToEx(dc, from.x, from.y, nullptr);
    LineTo(dc, to.x, to.y);
}

void PaintParentBackground(HWND window, HDC dc) {
    RECT client;
    GetClientRect(window, &client);
    FillSolid(dc, client, GetSysColor(COLOR_BTNFACE));  // for a parent that paints no background
    HWND parent = GetParent(window);
    if (!parent)
        return;
    POINT origin{0, 0};
    MapWindowPoints(window, parent, &origin, 1);
    POINT previous;
    SetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

void PaintBackground(HWND window, HDC dc, const RECT& rect, COLORREF color) {
    if (color == kTransparentColor)
        PaintParentBackground(window, dc);
    else
        FillSolid(dc, rect, color);
}

HFONT FontOrDefault(HFONT font) {
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

UniqueFont DeriveFont(HFONT base, LONG weight, bool underline, LONG height) {
    LOGFONTA description{};
    if (!GetObjectA(FontOrDefault(base), sizeof description, &description))
        return UniqueFont();
    description.lfWeight = weight;
    description.lfUnderline = underline ? TRUE : FALSE;
    if (height != 0)
        description.lfHeight = height;
    return UniqueFont(CreateFontIndirectA(&description));
}

std::string WindowText(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TrackMouseLeave(HWND window) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
    TrackMouseEvent(&track);
}

bool PointInClient(HWND window, LPARAM point) {
    RECT client;
    GetClientRect(window, &client);
    POINT where{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    return PtInRect(&client, where) != FALSE;
}

void NotifyParent(HWND window, WORD code) {
    const WORD id = static_cast<WORD>(GetDlgCtrlID(window));
    SendMessageA(GetParent(window), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(window));
}
