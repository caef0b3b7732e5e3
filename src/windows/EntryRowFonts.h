// The startup list's cells in a font that shows them: names in other scripts keep legible.
#pragma once

#include <windows.h>

// Answers the list view's custom draw (NM_CUSTOMDRAW from list): a cell the list's font cannot show
// is drawn in its fallback, every other cell as the list draws it. True when header was one.
bool AnswerRowCustomDraw(HWND list, NMHDR& header, LRESULT& answer);

// After the info tip's text is filled in (LVN_GETINFOTIPA from list): a tip drawn in the list's font
// takes that font's fallback while its text needs it. A tip in a font of its own keeps it.
void FitInfoTipFont(HWND list, const NMHDR& header);
