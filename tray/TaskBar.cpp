#include "TaskBar.h"

CTaskBar::CTaskBar()
    : CTaskBar([](DWORD message, NOTIFYICONDATAW* data) { return ::Shell_NotifyIconW(message, data); })
{}

CTaskBar::CTaskBar(NotifyFunction notify) : m_notify(std::move(notify)) {}

CTaskBar::~CTaskBar()
{
    FinishAttempts();
}

void CTaskBar::Attach(HWND owner, UINT callbackMessage)
{
    m_owner = owner;
    m_callbackMessage = callbackMessage;
}

void CTaskBar::AddIcon(HICON icon, const std::wstring& tip)
{
    FinishAttempts();
    m_icon.reset(icon);
    m_tip = tip;
    m_attempts = 0;
    m_pending = true;
    m_shown = true;
    if (TryAdd() || !m_owner
        || !::SetTimer(m_owner, TimerNumber(TimerId::TrayIconRetry), kRetryDelayMs, nullptr))
        FinishAttempts();
}

void CTaskBar::OnRetryTimer()
{
    if (!IsRetrying() || TryAdd() || m_attempts >= kMaxAttempts) FinishAttempts();
}

bool CTaskBar::TryAdd()
{
    ++m_attempts;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = m_owner;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = m_callbackMessage;
    data.hIcon = m_icon.get();
    ::lstrcpynW(data.szTip, m_tip.c_str(), ARRAYSIZE(data.szTip));
    return m_notify(NIM_ADD, &data) != FALSE;
}

void CTaskBar::FinishAttempts()
{
    if (m_owner) ::KillTimer(m_owner, TimerNumber(TimerId::TrayIconRetry));
    m_icon.reset();
    m_pending = false;
}

void CTaskBar::RemoveIcon()
{
    FinishAttempts();
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = m_owner;
    data.uID = kIconId;
    m_notify(NIM_DELETE, &data);
    m_shown = false;
}
