#include "PropertyPage.h"
#include "PropertySheet.h"

CPropertyPage::CPropertyPage(UINT templateId, HINSTANCE module) : CDialog(templateId, module) {}

CPropertyPage::~CPropertyPage()
{
    if (m_sheet) m_sheet->RemovePage(*this);
}

void CPropertyPage::SetModified(bool changed)
{
    HWND sheet = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (!sheet) return;
    ::SendMessageW(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

PROPSHEETPAGEW CPropertyPage::Description()
{
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof(page);
    page.dwFlags = m_title.empty() ? PSP_DEFAULT : PSP_USETITLE;
    page.pszTitle = m_title.empty() ? nullptr : m_title.c_str();
    page.hInstance = Module();
    page.pszTemplate = MAKEINTRESOURCEW(TemplateId());
    page.pfnDlgProc = &CPropertyPage::PageProc;
    page.lParam = reinterpret_cast<LPARAM>(static_cast<CDialog*>(this));
    return page;
}

bool CPropertyPage::IsSheetNotice(const NMHDR& header) const
{
    return header.hwndFrom == ::GetParent(m_hWnd) && header.code <= PSN_FIRST && header.code >= PSN_LAST;
}

INT_PTR CPropertyPage::SheetNotice(const NMHDR& header)
{
    LONG_PTR result = 0;
    switch (header.code) {
    case PSN_SETACTIVE:
        result = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        result = OnKillActive() ? FALSE : TRUE;
        break;
    case PSN_APPLY:
        result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        break;
    default:
        return FALSE;
    }
    ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CPropertyPage::DialogMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NOTIFY && lp && IsSheetNotice(*reinterpret_cast<const NMHDR*>(lp)))
        return SheetNotice(*reinterpret_cast<const NMHDR*>(lp));
    return CDialog::DialogMessage(msg, wp, lp);
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    // The sheet hands the page's description over, which carries the object.
    if (msg == WM_INITDIALOG) lp = lp ? reinterpret_cast<const PROPSHEETPAGEW*>(lp)->lParam : 0;
    return StaticDialogProc(hwnd, msg, wp, lp);
}
