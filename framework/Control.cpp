#include "Control.h"
#include "Dialog.h"

CControl::CControl(CDialog& owner, UINT id) : m_owner(owner), m_id(id)
{
    m_owner.AddControl(*this);
}

CControl::~CControl()
{
    m_owner.RemoveControl(*this);
}

void CControl::Attach(HWND dialog)
{
    if (m_hWnd) OnDetaching();
    m_hWnd = dialog ? ::GetDlgItem(dialog, static_cast<int>(m_id)) : nullptr;
    if (m_hWnd) OnAttached();
}

LRESULT CControl::Send(UINT msg, WPARAM wp, LPARAM lp) const
{
    return m_hWnd ? ::SendMessageW(m_hWnd, msg, wp, lp) : 0;
}

int CControl::SendCount(UINT msg) const
{
    auto count = static_cast<int>(Send(msg));
    return count > 0 ? count : 0;
}

bool CControl::SetText(const std::wstring& text)
{
    return m_hWnd && ::SetWindowTextW(m_hWnd, text.c_str());
}

std::wstring CControl::Text() const
{
    if (!m_hWnd) return {};
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
    int length = ::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()));
    text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return text;
}

void CControl::Enable(bool enable)
{
    if (m_hWnd) ::EnableWindow(m_hWnd, enable ? TRUE : FALSE);
}

bool CControl::IsEnabled() const
{
    return m_hWnd && ::IsWindowEnabled(m_hWnd);
}

void CControl::Show(bool show)
{
    if (m_hWnd) ::ShowWindow(m_hWnd, show ? SW_SHOW : SW_HIDE);
}

bool CControl::IsVisible() const
{
    return m_hWnd && (::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}
