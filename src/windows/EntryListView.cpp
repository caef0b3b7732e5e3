// List view plumbing for the startup rows.
#include "EntryListView.h"

#include <commctrl.h>

#include "EntryInfoTip.h"

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
    list_ =
        CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER,
                        bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_FLATSB);
    states_.reset(ImageList_LoadImageA(instance, MAKEINTRESOURCEA(stateBitmapId), kStateImageSize, 0,
                                       kMaskColor, IMAGE_BITMAP, LR_CREATEDIBSECTION));
    ListView_SetImageList(list_, states_.get(), LVSIL_STATE);
    AddColumns();
    EnableInfoTips(list_);
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

void EntryListView::InsertRow(int index, const StartupEntry& row) {
    // Added as the list has always added them: the item, its state image, its caption, then the sub-items.
    LVITEMA item{};
    item.mask = LVIF_STATE | LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    // The info tip and Row() tell a row held off where it stands, and one set by policy, by it.
    item.lParam =
        (row.state == EntryState::SwitchedOff ? kRowSwitchedOff : 0) | RowDataOf(row.hold);
    item.state = INDEXTOSTATEIMAGEMASK(row.StateImage() + 1);
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.pszText = const_cast<char*>(row.appName.c_str());
    index = static_cast<int>(SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    const std::string status = row.Status();
    const char* cells[] = {row.appPath.c_str(), row.location.c_str(), status.c_str()};
    for (int column = kAppPath; column <= kStatus; ++column) {
        LVITEMA sub{};
        sub.iSubItem = column;
        sub.pszText = const_cast<char*>(cells[column - 1]);
        SendMessageA(list_, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&sub));
    }
}

void EntryListView::ShowRows(const std::vector<StartupEntry>& rows) {
    {
        RedrawOff quiet(list_);
        ListView_DeleteAllItems(list_);
        ListView_SetItemCount(list_, static_cast<int>(rows.size()));
        for (size_t index = 0; index < rows.size(); ++index)
            InsertRow(static_cast<int>(index), rows[index]);
    }
    if (!IsWindowVisible(list_))
        MeasureUnseen();
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

std::string EntryListView::CellText(int row, int column) const {
    std::string text(1024, '\0');
    for (;;) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        int length =
            static_cast<int>(SendMessageA(list_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
        if (length < static_cast<int>(text.size()) - 1)
            return text.substr(0, length);
        text.assign(text.size() * 4, '\0');  // the path may be longer than any fixed buffer
    }
}

StartupEntry EntryListView::Row(int index) const {
    StartupEntry row;
    row.appName = CellText(index, kAppName);
    row.appPath = CellText(index, kAppPath);
    row.location = CellText(index, kLocation);
    // Any Status other than "Enabled" counts as disabled.
    row.hold = HoldOfRow(list_, index);
    row.state = IsSwitchedOffRow(list_, index)               ? EntryState::SwitchedOff
                : CellText(index, kStatus) == kStatusEnabled ? EntryState::Enabled
                                                             : EntryState::Disabled;
    return row;
}

std::optional<StartupEntry> EntryListView::SelectedEntry() const {
    int selected = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
    if (selected < 0)
        return std::nullopt;
    return Row(selected);
}
