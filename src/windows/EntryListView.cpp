// List view plumbing for the startup rows.
#include "EntryListView.h"

#include <commctrl.h>

#include <type_traits>

#include "TextCodec.h"

namespace {

enum Column { kAppName, kAppPath, kLocation, kStatus };

constexpr int kStateImageSize = 16;
constexpr COLORREF kMaskColor = RGB(255, 0, 255);

struct ColumnSpec {
    const char* title;
    int width;
};
constexpr ColumnSpec kColumns[] = {{"App Name", 120}, {"App Path", 313}, {"Location", 85}, {"Status", 70}};

// Drawing off for a batch of changes, then one repaint of the whole list. The list view keeps a
// redraw flag of its own and does not pass the message on, so the default handling is asked too: it
// takes WS_VISIBLE off meanwhile without hiding the window. Under Wine a list view that still counts
// as visible does a visible window's work for every row (two to three times the cost of the rows),
// and turning its flag back on while visible draws its scroll bars at once; so the flag goes on first
// and the scroll bars are drawn with the rest at the next paint.
class RedrawOff {
public:
    explicit RedrawOff(HWND window)
        : window_(window), visible_((GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0) {
        SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
        if (visible_)
            DefWindowProcA(window_, WM_SETREDRAW, FALSE, 0);
    }
    ~RedrawOff() {
        SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
        if (visible_)
            DefWindowProcA(window_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    RedrawOff(const RedrawOff&) = delete;
    RedrawOff& operator=(const RedrawOff&) = delete;

private:
    HWND window_;
    bool visible_;
};

}  // namespace

EntryListView::EntryListView(HWND parent, int id, RECT bounds, HINSTANCE instance, int stateBitmapId)
    : instance_(instance), stateBitmapId_(stateBitmapId) {
    list_ = CreateWindowExA(
        WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER | LVS_OWNERDATA,
        bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    ListView_SetExtendedListViewStyle(
        list_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_FLATSB | LVS_EX_INFOTIP);
    ListView_SetCallbackMask(list_, LVIS_STATEIMAGEMASK);  // the rows' state images are asked too
    states_.reset(ImageList_LoadImageA(instance, MAKEINTRESOURCEA(stateBitmapId), kStateImageSize, 0,
                                       kMaskColor, IMAGE_BITMAP, LR_CREATEDIBSECTION));
    ListView_SetImageList(list_, states_.get(), LVSIL_STATE);
    AddColumns();
}

void EntryListView::AddColumns() {
    for (int column = 0; column < 4; ++column) {
        LVCOLUMNA spec{};
        spec.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        spec.pszText = const_cast<char*>(kColumns[column].title);
        spec.cx = kColumns[column].width;
        spec.iSubItem = column;
        SendMessageA(list_, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&spec));
    }
}

void EntryListView::ScaleTo(Dpi dpi) {
    int left = 0;
    for (int column = 0; column < 4; ++column) {
        const int right = left + kColumns[column].width;
        ListView_SetColumnWidth(list_, column, dpi.Scale(right) - dpi.Scale(left));
        left = right;
    }
    const int size = dpi.Scale(kStateImageSize);
    UniqueImageList states(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 2, 0));
    UniqueGdiObject source(LoadImageA(instance_, MAKEINTRESOURCEA(stateBitmapId_), IMAGE_BITMAP, 0, 0, 0));
    UniqueGdiObject scaled = ScaledBitmap(static_cast<HBITMAP>(source.get()), 2 * size, size);
    if (!states || !scaled ||
        ImageList_AddMasked(states.get(), static_cast<HBITMAP>(scaled.get()), kMaskColor) < 0)
        return;  // the images of the old size stay
    ListView_SetImageList(list_, states.get(), LVSIL_STATE);
    states_ = std::move(states);
}

void EntryListView::ShowRows(std::vector<StartupEntry> rows) {
    {
        RedrawOff quiet(list_);
        ListView_DeleteAllItems(list_);  // the old selection goes with the old rows
        rows_ = std::move(rows);
        ListView_SetItemCount(list_, static_cast<int>(rows_.size()));
    }
    if (!IsWindowVisible(list_))
        MeasureUnseen();
}

template <typename Item>
void EntryListView::FillItem(Item& item) const {
    if (item.iItem < 0 || item.iItem >= static_cast<int>(rows_.size()))
        return;
    const StartupEntry& row = rows_[static_cast<size_t>(item.iItem)];
    if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
        const std::string status = item.iSubItem == kStatus ? row.Status() : std::string();
        const std::string& text = item.iSubItem == kAppName    ? row.appName
                                  : item.iSubItem == kAppPath  ? row.appPath
                                  : item.iSubItem == kLocation ? row.location
                                                               : status;
        if constexpr (std::is_same_v<Item, LVITEMW>)
            lstrcpynW(item.pszText, ToWide(text, CP_ACP).c_str(), item.cchTextMax);
        else
            lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
    }
    if ((item.mask & LVIF_STATE) != 0)
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(row.StateImage() + 1);
}

// The first row from start on (then from the top, with LVFI_WRAP) named typed, or whose name begins
// with it (LVFI_PARTIAL), in any case.
int EntryListView::FindRow(const std::wstring& typed, UINT flags, int start) const {
    const int count = static_cast<int>(rows_.size());
    if (typed.empty() || count == 0 || (flags & (LVFI_STRING | LVFI_PARTIAL)) == 0)
        return -1;
    start = start < 0 || start >= count ? 0 : start;
    const int steps = (flags & LVFI_WRAP) != 0 ? count : count - start;
    for (int step = 0; step < steps; ++step) {
        const int index = (start + step) % count;
        const std::wstring name = ToWide(rows_[static_cast<size_t>(index)].appName, CP_ACP);
        const bool fits =
            (flags & LVFI_PARTIAL) != 0 ? name.size() >= typed.size() : name.size() == typed.size();
        if (fits &&
            CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.c_str(), static_cast<int>(typed.size()),
                           typed.c_str(), static_cast<int>(typed.size())) == CSTR_EQUAL)
            return index;
    }
    return -1;
}

bool EntryListView::AnswerListRequest(NMHDR& header, LRESULT& answer) const {
    if (header.hwndFrom != list_)
        return false;
    switch (header.code) {
        case LVN_GETDISPINFOA:
            FillItem(reinterpret_cast<NMLVDISPINFOA&>(header).item);
            answer = 0;
            return true;
        case LVN_GETDISPINFOW:  // to a parent that takes wide notices
            FillItem(reinterpret_cast<NMLVDISPINFOW&>(header).item);
            answer = 0;
            return true;
        case LVN_ODFINDITEMA: {
            const auto& find = reinterpret_cast<const NMLVFINDITEMA&>(header);
            answer = FindRow(find.lvfi.psz ? ToWide(find.lvfi.psz, CP_ACP) : std::wstring(), find.lvfi.flags,
                             find.iStart);
            return true;
        }
        case LVN_ODFINDITEMW: {  // an ANSI parent may still be sent the wide form (Wine does)
            const auto& find = reinterpret_cast<const NMLVFINDITEMW&>(header);
            answer = FindRow(find.lvfi.psz ? find.lvfi.psz : L"", find.lvfi.flags, find.iStart);
            return true;
        }
        default:
            return false;
    }
}

// A list view measures its rows and sets its scroll bars in its first paint; on screen, under Wine's
// themes, every one of those scroll bar changes is drawn at once (a third of the window's first
// paint). Printed while the window is still hidden, into a DC of one pixel, the list does that work
// unseen, and its first paint on screen only draws.
void EntryListView::MeasureUnseen() {
    HDC screen = GetDC(nullptr);
    HDC pixel = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (!pixel)
        return;
    SendMessageA(list_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(pixel), PRF_CLIENT);
    DeleteDC(pixel);
}

int EntryListView::RowCount() const {
    return ListView_GetItemCount(list_);
}

StartupEntry EntryListView::Row(int index) const {
    return index >= 0 && index < static_cast<int>(rows_.size()) ? rows_[static_cast<size_t>(index)]
                                                                : StartupEntry{};
}

std::optional<StartupEntry> EntryListView::SelectedEntry() const {
    int selected = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
    if (selected < 0)
        return std::nullopt;
    return Row(selected);
}
