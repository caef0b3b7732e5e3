// Info tips of the startup list's rows.
#include "EntryInfoTip.h"

#include <commctrl.h>

#include <string>

#include "LocationKeys.h"
#include "StartupMessages.h"

bool IsSwitchedOffRow(HWND list, int index) {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    return ListView_GetItem(list, &item) && item.lParam != 0;
}

bool IsPolicyRow(HWND list, int index) {
    constexpr int kLocationColumn = 2;
    char location[512] = {};  // a tag, or a user's name and a kind
    ListView_GetItemText(list, index, kLocationColumn, location, sizeof location);
    return IsPolicyLocation(location);
}

void EnableInfoTips(HWND list) {
    ListView_SetExtendedListViewStyleEx(list, LVS_EX_INFOTIP, LVS_EX_INFOTIP);
}

bool FillEntryInfoTip(HWND list, NMHDR& header) {
    if (header.hwndFrom != list || header.code != LVN_GETINFOTIPA)
        return false;
    auto& tip = reinterpret_cast<NMLVGETINFOTIPA&>(header);
    if (tip.pszText == nullptr || tip.cchTextMax <= 0)
        return true;
    const char* note = IsSwitchedOffRow(list, tip.iItem) ? kSwitchedOffByWindows
                       : IsPolicyRow(list, tip.iItem)    ? kSetByPolicyTip
                                                         : nullptr;
    if (note == nullptr)
        return true;
    // The list may have put the row's full caption in already; the note goes after it.
    std::string text = tip.pszText;
    text += text.empty() ? "" : "\r\n";
    text += note;
    lstrcpynA(tip.pszText, text.c_str(), tip.cchTextMax);
    return true;
}
