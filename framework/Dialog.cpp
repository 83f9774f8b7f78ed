#include "Dialog.h"
#include "Control.h"
#include "MessageFilterChain.h"
#include <algorithm>

CDialog::CDialog(UINT templateId, HINSTANCE module)
    : m_templateId(templateId), m_module(module ? module : ::GetModuleHandleW(nullptr))
{}

CDialog::~CDialog()
{
    if (!m_hWnd) return;
    HWND hwnd = m_hWnd;
    Forget();
    if (m_modal)
        ::EndDialog(hwnd, IDCANCEL);
    else
        ::DestroyWindow(hwnd);
}

void CDialog::Forget()
{
    CMessageFilterChain::ForThisThread().Remove(*this);
    AttachControls(nullptr);
    ::SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
    m_hWnd = nullptr;
}

INT_PTR CDialog::DoModal(HWND owner)
{
    if (m_hWnd) {
        BringToFront();
        return 0;
    }
    m_modal = true;
    INT_PTR result = ::DialogBoxParamW(m_module, MAKEINTRESOURCEW(m_templateId), owner,
                                       &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
    m_modal = false;
    return result;
}

bool CDialog::CreateModeless(HWND owner)
{
    if (m_hWnd) {
        BringToFront();
        return true;
    }
    m_modal = false;
    HWND hwnd = ::CreateDialogParamW(m_module, MAKEINTRESOURCEW(m_templateId), owner,
                                     &CDialog::StaticDialogProc, reinterpret_cast<LPARAM>(this));
    if (!hwnd) return false;
    CMessageFilterChain::ForThisThread().Add(*this);
    ::ShowWindow(hwnd, SW_SHOW);
    return true;
}

void CDialog::EndDialog(INT_PTR result)
{
    if (!m_hWnd) return;
    if (m_modal)
        ::EndDialog(m_hWnd, result);
    else
        ::DestroyWindow(m_hWnd);
}

bool CDialog::PreTranslateMessage(MSG& msg)
{
    if (!m_hWnd || msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    return (msg.hwnd == m_hWnd || ::IsChild(m_hWnd, msg.hwnd)) && ::IsDialogMessageW(m_hWnd, &msg);
}

void CDialog::OnCommandId(UINT id, CControlRoutes::CommandHandler handler)
{
    m_routes.BindCommand(id, std::move(handler));
}

void CDialog::OnNotifyId(UINT id, UINT code, CControlRoutes::NotifyHandler handler)
{
    m_routes.BindNotify(id, code, std::move(handler));
}

void CDialog::OnScrollId(UINT id, CControlRoutes::ScrollHandler handler)
{
    m_routes.BindScroll(id, std::move(handler));
}

void CDialog::OnColorId(UINT id, CControlRoutes::ColorHandler handler)
{
    m_routes.BindColor(id, std::move(handler));
}

void CDialog::AddControl(CControl& control)
{
    m_controls.push_back(&control);
    if (m_hWnd) control.Attach(m_hWnd);
}

void CDialog::RemoveControl(CControl& control)
{
    m_controls.erase(std::remove(m_controls.begin(), m_controls.end(), &control), m_controls.end());
}

void CDialog::AttachControls(HWND hwnd)
{
    for (CControl* control : m_controls) control->Attach(hwnd);
}

INT_PTR CDialog::Command(UINT id, UINT code, HWND control)
{
    if (m_routes.Command(id, code) || OnCommand(id, code, control)) return TRUE;
    if (id == IDOK) {
        OnOK();
        return TRUE;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

INT_PTR CDialog::Notify(const NMHDR& header)
{
    std::optional<LRESULT> result = m_routes.Notify(header);
    if (!result) return FALSE;
    ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, *result);
    return TRUE;
}

HBRUSH CDialog::Color(HWND control, HDC dc)
{
    HBRUSH brush = m_routes.Color(static_cast<UINT>(::GetDlgCtrlID(control)), dc);
    if (brush || !control) return brush;
    for (CControl* wrapper : m_controls) {
        if (wrapper->GetSafeHwnd() != control) continue;
        if (HBRUSH own = wrapper->ReflectedColor(dc)) return own;
    }
    return nullptr;
}

INT_PTR CDialog::DialogMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_INITDIALOG:
        AttachControls(m_hWnd);
        return OnInitDialog();
    case WM_COMMAND:
        return Command(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
    case WM_NOTIFY:
        return lp ? Notify(*reinterpret_cast<const NMHDR*>(lp)) : FALSE;
    case WM_HSCROLL:
        return lp
               && m_routes.Scroll(static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(lp))), LOWORD(wp));
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<INT_PTR>(Color(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp)));
    case WM_TIMER:
        OnTimer(wp);
        return TRUE;
    case WM_CLOSE:
        OnClose();
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return FALSE; // the system's own clean-up still runs
    default:
        return FALSE;
    }
}

CDialog* CDialog::Attach(HWND hwnd, CDialog* self)
{
    if (self) {
        self->m_hWnd = hwnd;
        ::SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    }
    return self;
}

INT_PTR CALLBACK CDialog::StaticDialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    CDialog* self = msg == WM_INITDIALOG ? Attach(hwnd, reinterpret_cast<CDialog*>(lp))
                                         : reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    INT_PTR result = self->DialogMessage(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        self->Forget();
        self->OnFinalDestroy();
    }
    return result;
}
