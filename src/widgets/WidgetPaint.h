// Drawing and input helpers the controls share.
#pragma once

#include <windows.h>

#include <string>

#include "GdiGuards.h"

void FillSolid(HDC dc, const RECT& rect, COLORREF color);
void FrameSolid(HDC dc, const RECT& rect, COLORREF color);
void FillVerticalGradient(HDC dc, const RECT& rect, COLORREF top, COLORREF bottom);
void FillHorizontalGradient(HDC dc, const RECT& rect, COLORREF left, COLORREF right);
// A straight line of the given width in pixels.
void DrawLine(HDC dc, POINT from, POINT to, COLORREF color, int width);

// Lets the parent erase the control's area into dc, for controls that show what lies beneath.
void PaintParentBackground(HWND window, HDC dc);
// Fills with color, or with the parent's background for kTransparentColor.
void PaintBackground(HWND window, HDC dc, const RECT& rect, COLORREF color);

// The font the control was given with WM_SETFONT, or the system's dialog font.
HFONT FontOrDefault(HFONT font);
// A new font like base, in the given weight, underlined or not; height 0 keeps base's height.
UniqueFont DeriveFont(HFONT base, LONG weight, bool underline, LONG height = 0);

std::string WindowText(HWND window);
// Asks for WM_MOUSELEAVE once the mouse leaves the window.
void TrackMouseLeave(HWND window);
bool PointInClient(HWND window, LPARAM point);
// Sends WM_COMMAND(MAKEWPARAM(id, code), window) to the parent.
void NotifyParent(HWND window, WORD code);
