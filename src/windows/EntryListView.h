// The startup list: a report list view whose rows are StartupEntry values, shown in the given order.
// The rows are kept here and the list asks for what it shows (an owner-data list), so that showing
// thousands of rows costs no more than the few on screen.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "StartupEntry.h"
#include "GdiObjects.h"
#include "Dpi.h"

class EntryListView {
public:
    // Creates the list view with its four columns and the state images of the given bitmap.
    EntryListView(HWND parent, int id, RECT bounds, HINSTANCE instance, int stateBitmapId);

    HWND Handle() const { return list_; }
    // Replaces every row; nothing stays selected.
    void ShowRows(std::vector<StartupEntry> rows);
    // Answers the list's asking for a row's texts and state image (LVN_GETDISPINFO), and for the row
    // whose name begins with what was typed (LVN_ODFINDITEM). True when header was one of them.
    bool AnswerListRequest(NMHDR& header, LRESULT& answer) const;
    std::optional<StartupEntry> SelectedEntry() const;
    // Column widths and state images at the given DPI; the rows stay.
    void ScaleTo(Dpi dpi);
    int RowCount() const;
    // The row at index; an empty row when there is none.
    StartupEntry Row(int index) const;

private:
    void AddColumns();
    void MeasureUnseen();
    template <typename Item>
    void FillItem(Item& item) const;
    int FindRow(const std::wstring& typed, UINT flags, int start) const;

    HWND list_;
    HINSTANCE instance_;
    int stateBitmapId_;
    UniqueImageList states_;
    std::vector<StartupEntry> rows_;
};
