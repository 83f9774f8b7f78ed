#include "LockIndicators.h"

CLockIndicators::CLockIndicators(std::function<HWND()> owner, NotifyFunction notify, Observer observer)
    : m_owner(std::move(owner))
    , m_notify(notify ? std::move(notify) : NotifyFunction(&::Shell_NotifyIconW))
    , m_observer(std::move(observer))
{}

size_t CLockIndicators::Slot(LockKey key)
{
    return static_cast<size_t>(key) - static_cast<size_t>(LockKey::Caps);
}

bool CLockIndicators::Add(LockKey key, UINT iconId)
{
    UniqueIcon icon(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId),
                                                    IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                    ::GetSystemMetrics(SM_CYSMICON), 0)));
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = m_owner();
    data.uID = static_cast<UINT>(key);
    data.uFlags = NIF_ICON;
    data.hIcon = icon.get();
    const bool added = m_notify(NIM_ADD, &data) != FALSE;
    if (added) m_icons[Slot(key)] = std::move(icon);
    if (const HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr)) ::ShowWindow(taskbar, SW_SHOW);
    if (m_observer) m_observer(key, true);
    return added;
}

void CLockIndicators::Remove(LockKey key)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = m_owner();
    data.uID = static_cast<UINT>(key);
    m_notify(NIM_DELETE, &data);
    m_icons[Slot(key)].reset();
    if (m_observer) m_observer(key, false);
}
