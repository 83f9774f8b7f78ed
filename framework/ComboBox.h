#pragma once
#include "Control.h"

// A drop-down list whose entries carry a value each.
class CComboBox : public CControl {
public:
    using CControl::CControl;

    // The new entry's index; -1 when it could not be added.
    int AddItem(const std::wstring& text, LPARAM value = 0);
    void Clear();
    int Count() const;
    // -1 clears the selection; false for an index outside the list.
    bool Select(int index);
    // -1 when nothing is selected.
    int Selection() const;
    // The entry's value; 0 for an index outside the list.
    LPARAM ItemValue(int index) const;
    // The index of the first entry carrying value; -1 when none does.
    int FindValue(LPARAM value) const;
};
