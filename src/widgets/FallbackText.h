// Text in scripts a control's font lacks: the font that shows it, and drawing in that font.
#pragma once

#include <windows.h>

#include <string>

// True when font has a glyph for every character of text (dc is only borrowed to ask the font).
bool FontShows(HDC dc, HFONT font, const std::wstring& text);
// A font of font's character height, weight and style in a face the system links to the other
// scripts. Made once per size and kept for the process's life.
HFONT FallbackFontFor(HFONT font);
// font where it shows the whole text, otherwise its fallback; dc may be null.
HFONT FontShowing(HDC dc, HFONT font, const std::string& text);
// DrawText of text in font, or in its fallback where font lacks a glyph. Text font shows is drawn
// exactly as DrawTextA draws it. The DC's font is restored.
int DrawFallbackText(HDC dc, HFONT font, const std::string& text, RECT& rect, UINT format);
// Gives a control base, or base's fallback when base cannot show the control's text; redrawn when
// that changes.
void FitControlFont(HWND control, HFONT base, const std::string& text);
