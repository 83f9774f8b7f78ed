#pragma once
#include "Control.h"

// A report-style list view: columns, rows with one text per column and a
// value per row, one selected row.
class CListView : public CControl {
public:
    using CControl::CControl;

    // The new column's index; -1 on failure. width in pixels.
    int AddColumn(const std::wstring& title, int width);
    // Appends a row with its first column's text; its index or -1.
    int AddItem(const std::wstring& text, LPARAM value = 0);
    bool SetItemText(int item, int column, const std::wstring& text);
    std::wstring ItemText(int item, int column) const;
    LPARAM ItemValue(int item) const;
    void Clear();
    int Count() const;
    // Selects and focuses one row (-1: none).
    bool Select(int item);
    // The first selected row; -1 when none.
    int Selection() const;
};
