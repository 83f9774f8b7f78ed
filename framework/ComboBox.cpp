#include "ComboBox.h"

int CComboBox::AddItem(const std::wstring& text, LPARAM value)
{
    if (!IsAttached()) return -1;
    auto index = static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    if (index < 0) return -1;
    Send(CB_SETITEMDATA, static_cast<WPARAM>(index), value);
    return index;
}

void CComboBox::Clear()
{
    Send(CB_RESETCONTENT);
}

int CComboBox::Count() const
{
    return SendCount(CB_GETCOUNT);
}

bool CComboBox::Select(int index)
{
    if (!IsAttached() || index < -1 || index >= Count()) return false;
    Send(CB_SETCURSEL, static_cast<WPARAM>(index));
    return true;
}

int CComboBox::Selection() const
{
    return IsAttached() ? static_cast<int>(Send(CB_GETCURSEL)) : -1;
}

LPARAM CComboBox::ItemValue(int index) const
{
    if (index < 0 || index >= Count()) return 0;
    return Send(CB_GETITEMDATA, static_cast<WPARAM>(index));
}

int CComboBox::FindValue(LPARAM value) const
{
    for (int i = 0, count = Count(); i < count; ++i)
        if (ItemValue(i) == value) return i;
    return -1;
}
