// Info tips of the startup list's rows.
#include "EntryInfoTip.h"

#include <commctrl.h>

#include <string>

#include "StartupMessages.h"

bool IsSwitchedOffRow(HWND list, int index) {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    return ListView_GetItem(list, &item) && item.lParam != 0;
}

void EnableInfoTips(HWND list) {
    ListView_SetExtendedListViewStyleEx(list, LVS_EX_INFOTIP, LVS_EX_INFOTIP);
}

bool FillEntryInfoTip(HWND list, NMHDR& header) {
    if (header.hwndFrom != list || header.code != LVN_GETINFOTIPA)
        return false;
    auto& tip = reinterpret_cast<NMLVGETINFOTIPA&>(header);
    if (tip.pszText == nullptr || tip.cchTextMax <= 0 || !IsSwitchedOffRow(list, tip.iItem))
        return true;
    // The list may have put the row's full caption in already; the note goes after it.
    std::string text = tip.pszText;
    text += text.empty() ? "" : "\r\n";
    text += kSwitchedOffByWindows;
    lstrcpynA(tip.pszText, text.c_str(), tip.cchTextMax);
    return true;
}
