// The startup list: a report list view whose rows are StartupEntry values, shown in the given order.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "StartupEntry.h"
#include "GdiObjects.h"
#include "Dpi.h"

class EntryListView {
public:
    // Creates the list view with its four columns and the state images of the given bitmap.
    EntryListView(HWND parent, int id, RECT bounds, HINSTANCE instance, int stateBitmapId);

    HWND Handle() const { return list_; }
    // Replaces every row in one batch, with redrawing off.
    void ShowRows(const std::vector<StartupEntry>& rows);
    std::optional<StartupEntry> SelectedEntry() const;
    // Column widths and state images at the given DPI; the rows stay.
    void ScaleTo(Dpi dpi);
    int RowCount() const;
    StartupEntry Row(int index) const;

private:
    void AddColumns();
    void InsertRow(int index, const StartupEntry& row);
    void MeasureUnseen();
    std::string CellText(int row, int column) const;

    HWND list_;
    HINSTANCE instance_;
    int stateBitmapId_;
    UniqueImageList states_;
};
