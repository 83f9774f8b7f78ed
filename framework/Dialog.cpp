#include "Dialog.h"
#include <algorithm>

namespace {
// Open modeless dialogs, for the message loop's IsDialogMessage (main thread).
std::vector<HWND>& ModelessDialogs()
{
    static std::vector<HWND> dialogs;
    return dialogs;
}

void ForgetModeless(HWND hwnd)
{
    auto& dialogs = ModelessDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), hwnd), dialogs.end());
}
} // namespace

CDialog::CDialog(UINT templateId, HINSTANCE module)
    : m_templateId(templateId), m_module(module ? module : ::GetModuleHandleW(nullptr))
{
}

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
    ForgetModeless(m_hWnd);
    ::SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
    m_hWnd = nullptr;
}

void CDialog::BringToFront() const
{
    if (!m_hWnd) return;
    if (::IsIconic(m_hWnd)) ::ShowWindow(m_hWnd, SW_RESTORE);
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ::SetForegroundWindow(m_hWnd);
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
    ModelessDialogs().push_back(hwnd);
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
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    for (HWND dialog : ModelessDialogs()) {
        if ((dialog == msg.hwnd || ::IsChild(dialog, msg.hwnd)) && ::IsDialogMessageW(dialog, &msg))
            return true;
    }
    return false;
}

void CDialog::OnCommandId(UINT id, CommandHandler handler)
{
    m_commands.push_back({id, std::move(handler)});
}

bool CDialog::RunCommand(UINT id, UINT code)
{
    for (const auto& binding : m_commands) {
        if (binding.id == id) {
            binding.handler(code);
            return true;
        }
    }
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

INT_PTR CDialog::DialogMessage(UINT msg, WPARAM wp, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return RunCommand(LOWORD(wp), HIWORD(wp)) ? TRUE : FALSE;
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
    CDialog* self = msg == WM_INITDIALOG
                        ? Attach(hwnd, reinterpret_cast<CDialog*>(lp))
                        : reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    INT_PTR result = self->DialogMessage(msg, wp, lp);
    if (msg == WM_NCDESTROY) self->Forget();
    return result;
}
