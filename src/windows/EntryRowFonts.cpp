// Custom draw of the startup list: fonts chosen per cell.
#include "EntryRowFonts.h"

#include <commctrl.h>

#include <string>

#include "FallbackText.h"

namespace {

constexpr int kColumnCount = 4;

std::string CellText(HWND list, int row, int column) {
    char text[1024] = "";  // longer texts are cut by the list when drawn as well
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

HFONT ListFont(HWND list) {
    return reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0));
}

bool RowNeedsFallback(HWND list, HDC dc, int row) {
    HFONT font = ListFont(list);
    for (int column = 0; column < kColumnCount; ++column)
        if (FontShowing(dc, font, CellText(list, row, column)) != font)
            return true;
    return false;
}

// A tooltip may keep a copy of the font it is given, not the font itself.
bool SameFace(HFONT one, HFONT other) {
    LOGFONTW a{}, b{};
    return one && other && GetObjectW(one, sizeof a, &a) && GetObjectW(other, sizeof b, &b) &&
           a.lfHeight == b.lfHeight && a.lfWeight == b.lfWeight && lstrcmpiW(a.lfFaceName, b.lfFaceName) == 0;
}

}  // namespace

bool AnswerRowCustomDraw(HWND list, NMHDR& header, LRESULT& answer) {
    if (header.hwndFrom != list || header.code != NM_CUSTOMDRAW)
        return false;
    auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header);
    const int row = static_cast<int>(draw.nmcd.dwItemSpec);
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            answer = CDRF_NOTIFYITEMDRAW;
            break;
        case CDDS_ITEMPREPAINT:
            // Rows the list's font shows whole are left to the list alone.
            answer = RowNeedsFallback(list, draw.nmcd.hdc, row) ? CDRF_NOTIFYSUBITEMDRAW : CDRF_DODEFAULT;
            break;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
            SelectObject(draw.nmcd.hdc,
                         FontShowing(draw.nmcd.hdc, ListFont(list), CellText(list, row, draw.iSubItem)));
            answer = CDRF_NEWFONT;
            break;
        default:
            answer = CDRF_DODEFAULT;
            break;
    }
    return true;
}

void FitInfoTipFont(HWND list, const NMHDR& header) {
    if (header.hwndFrom != list || header.code != LVN_GETINFOTIPA)
        return;
    const auto& tip = reinterpret_cast<const NMLVGETINFOTIPA&>(header);
    HWND tooltip = ListView_GetToolTips(list);
    HFONT font = ListFont(list);
    if (!tooltip || !tip.pszText || !font)
        return;
    const HFONT current = reinterpret_cast<HFONT>(SendMessageA(tooltip, WM_GETFONT, 0, 0));
    if (SameFace(current, font) || SameFace(current, FallbackFontFor(font)))
        FitControlFont(tooltip, font, tip.pszText);
}
