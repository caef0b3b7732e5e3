// The startup list's cells in a font that shows them: names in other scripts keep legible.
#pragma once

#include <windows.h>

// Answers the list view's custom draw (NM_CUSTOMDRAW from list): a cell the list's font cannot show
// is drawn in its fallback, every other cell as the list draws it. True when header was one.
bool AnswerRowCustomDraw(HWND list, NMHDR& header, LRESULT& answer);
