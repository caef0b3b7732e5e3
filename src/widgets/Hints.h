// Hints: one tooltip control per top-level window shows the hints of its controls.
#pragma once

#include <windows.h>

#include <string>

// Creates the tooltip control for the window's hints; the window owns it and it dies with the window.
HWND CreateHints(HWND topLevel);

// Shows text as the hint of control; a second call for the same control replaces the text.
bool AddHint(HWND tooltip, HWND control, const std::string& text);

// The hint shown for control, or an empty text when it has none.
std::string HintText(HWND tooltip, HWND control);

// A tooltip tool made for an area of a window rather than a whole control (such as a side bar item).
bool AddAreaHint(HWND tooltip, HWND window, UINT_PTR id, const RECT& area, const std::string& text);
std::string AreaHintText(HWND tooltip, HWND window, UINT_PTR id);
