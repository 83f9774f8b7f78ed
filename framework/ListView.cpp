#include "ListView.h"
#include <commctrl.h>

int CListView::AddColumn(const std::wstring& title, int width)
{
    if (!IsAttached()) return -1;
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(title.c_str());
    // Appended after the columns the header already has.
    HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
    int next = header ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    return static_cast<int>(
        Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(next < 0 ? 0 : next), reinterpret_cast<LPARAM>(&column)));
}

int CListView::AddItem(const std::wstring& text, LPARAM value)
{
    if (!IsAttached()) return -1;
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = Count();
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.lParam = value;
    return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool CListView::SetItemText(int item, int column, const std::wstring& text)
{
    if (item < 0 || item >= Count() || column < 0) return false;
    LVITEMW change{};
    change.iSubItem = column;
    change.pszText = const_cast<wchar_t*>(text.c_str());
    return Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&change)) != 0;
}

std::wstring CListView::ItemText(int item, int column) const
{
    if (item < 0 || item >= Count() || column < 0) return {};
    wchar_t buffer[512] = {};
    LVITEMW query{};
    query.iSubItem = column;
    query.pszText = buffer;
    query.cchTextMax = ARRAYSIZE(buffer);
    auto length = static_cast<int>(
        Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&query)));
    return std::wstring(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

LPARAM CListView::ItemValue(int item) const
{
    if (item < 0 || item >= Count()) return 0;
    LVITEMW query{};
    query.mask = LVIF_PARAM;
    query.iItem = item;
    return Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query)) ? query.lParam : 0;
}

void CListView::Clear()
{
    Send(LVM_DELETEALLITEMS);
}

int CListView::Count() const
{
    return SendCount(LVM_GETITEMCOUNT);
}

bool CListView::Select(int item)
{
    if (!IsAttached() || item < -1 || item >= Count()) return false;
    LVITEMW clear{};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    if (item < 0) return true;
    LVITEMW set{};
    set.state = set.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    return Send(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&set)) != 0;
}

int CListView::Selection() const
{
    if (!IsAttached()) return -1;
    return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}
