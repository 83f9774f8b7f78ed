#include "PropertySheet.h"
#include "MessageFilterChain.h"
#include "PropertyPage.h"
#include <algorithm>
#include <commctrl.h>

namespace {
constexpr wchar_t kSheetProperty[] = L"TavrinPropertySheet";
// The sheet being opened on this thread: the system's callback names no object.
thread_local CPropertySheet* t_opening = nullptr;
} // namespace

CPropertySheet::CPropertySheet(std::wstring title, DWORD flags, HINSTANCE module)
    : m_title(std::move(title)), m_flags(flags), m_module(module ? module : ::GetModuleHandleW(nullptr))
{}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd) {
        HWND hwnd = m_hWnd;
        // No handler of a half-destroyed object may run while it goes.
        Unwrap();
        ::DestroyWindow(hwnd);
    }
    for (CPropertyPage* page : m_pages) page->m_sheet = nullptr;
}

bool CPropertySheet::AddPage(CPropertyPage& page)
{
    if (page.m_sheet) return false;
    if (m_hWnd) {
        PROPSHEETPAGEW description = page.Description();
        HPROPSHEETPAGE handle = ::CreatePropertySheetPageW(&description);
        if (!handle) return false;
        if (!::SendMessageW(m_hWnd, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(handle))) {
            ::DestroyPropertySheetPage(handle);
            return false;
        }
    }
    page.m_sheet = this;
    m_pages.push_back(&page);
    return true;
}

bool CPropertySheet::RemovePage(CPropertyPage& page)
{
    int index = PageIndex(page);
    if (index < 0) return false;
    // The system destroys the page's window.
    if (m_hWnd) ::SendMessageW(m_hWnd, PSM_REMOVEPAGE, static_cast<WPARAM>(index), 0);
    m_pages.erase(m_pages.begin() + index);
    page.m_sheet = nullptr;
    if (m_startPage >= PageCount()) m_startPage = 0;
    return true;
}

int CPropertySheet::PageIndex(const CPropertyPage& page) const
{
    auto found = std::find(m_pages.begin(), m_pages.end(), &page);
    return found == m_pages.end() ? -1 : static_cast<int>(found - m_pages.begin());
}

bool CPropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= PageCount()) return false;
    if (!m_hWnd) {
        m_startPage = index;
        return true;
    }
    return ::SendMessageW(m_hWnd, PSM_SETCURSEL, static_cast<WPARAM>(index), 0) != FALSE;
}

int CPropertySheet::ActivePageIndex() const
{
    if (!m_hWnd) return -1;
    HWND current = reinterpret_cast<HWND>(::SendMessageW(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
    return current ? static_cast<int>(
               ::SendMessageW(m_hWnd, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(current), 0))
                   : -1;
}

INT_PTR CPropertySheet::DoModal(HWND owner)
{
    if (m_hWnd) {
        BringToFront();
        return 0;
    }
    m_modal = true;
    INT_PTR result = -1;
    Open(owner, false, result);
    m_modal = false;
    return result;
}

bool CPropertySheet::CreateModeless(HWND owner)
{
    if (m_hWnd) {
        BringToFront();
        return true;
    }
    INT_PTR result = -1;
    HWND hwnd = Open(owner, true, result);
    if (!hwnd) return false;
    if (hwnd != m_hWnd) {
        // Made without being wrapped: nothing of this object could run it.
        ::DestroyWindow(hwnd);
        return false;
    }
    CMessageFilterChain::ForThisThread().Add(*this);
    return true;
}

HWND CPropertySheet::Open(HWND owner, bool modeless, INT_PTR& result)
{
    if (m_pages.empty()) return nullptr;
    std::vector<PROPSHEETPAGEW> pages;
    for (CPropertyPage* page : m_pages) pages.push_back(page->Description());

    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(header);
    header.dwFlags = m_flags | PSH_PROPSHEETPAGE | PSH_USECALLBACK | (modeless ? PSH_MODELESS : 0);
    header.hwndParent = owner;
    header.hInstance = m_module;
    header.pszCaption = m_title.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = static_cast<UINT>(m_startPage);
    header.ppsp = pages.data();
    header.pfnCallback = &CPropertySheet::SheetCallback;

    CPropertySheet* outer = t_opening;
    t_opening = this;
    result = ::PropertySheetW(&header);
    t_opening = outer;
    return modeless && result > 0 ? reinterpret_cast<HWND>(result) : nullptr;
}

void CPropertySheet::Wrap(HWND hwnd)
{
    m_hWnd = hwnd;
    ::SetPropW(hwnd, kSheetProperty, this);
    m_sheetProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CPropertySheet::SheetProc)));
    OnInitSheet();
}

void CPropertySheet::Unwrap()
{
    CMessageFilterChain::ForThisThread().Remove(*this);
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_sheetProc));
    ::RemovePropW(m_hWnd, kSheetProperty);
    m_hWnd = nullptr;
}

void CPropertySheet::OnClose()
{
    Default(WM_CLOSE, 0, 0);
}

LRESULT CPropertySheet::Default(UINT msg, WPARAM wp, LPARAM lp)
{
    return ::CallWindowProcW(m_sheetProc, m_hWnd, msg, wp, lp);
}

LRESULT CPropertySheet::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_TIMER:
        OnTimer(wp);
        return 0;
    case WM_CLOSE:
        OnClose();
        NoteEnd();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_COMMAND:
        if (OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp))) return 0;
        break;
    default:
        break;
    }
    LRESULT result = Default(msg, wp, lp);
    if (msg == WM_COMMAND || msg == WM_SYSCOMMAND) NoteEnd();
    return result;
}

void CPropertySheet::NoteEnd() const
{
    // A modeless sheet that OK or Cancel ended has no current page; the filter
    // destroys it when the next message to it passes, so one is posted.
    if (!m_modal && m_hWnd && !reinterpret_cast<HWND>(::SendMessageW(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0)))
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

bool CPropertySheet::PreTranslateMessage(MSG& msg)
{
    if (!m_hWnd || (msg.hwnd != m_hWnd && !::IsChild(m_hWnd, msg.hwnd))) return false;
    if (!::SendMessageW(m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(&msg))) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    if (m_hWnd && !reinterpret_cast<HWND>(::SendMessageW(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0)))
        DestroyWindow();
    return true;
}

int CALLBACK CPropertySheet::SheetCallback(HWND hwnd, UINT msg, LPARAM)
{
    if (msg == PSCB_INITIALIZED && t_opening && !t_opening->m_hWnd) t_opening->Wrap(hwnd);
    return 0;
}

LRESULT CALLBACK CPropertySheet::SheetProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* self = static_cast<CPropertySheet*>(::GetPropW(hwnd, kSheetProperty));
    if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
    LRESULT result = self->WindowProc(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        self->Unwrap();
        self->OnFinalDestroy();
    }
    return result;
}
