#include "Hibernate.h"

#include "KeyForwarder.h"
#include "PlatformSeams.h"
#include "TavrinStrings.h"
#include "TextLoader.h"

namespace {

constexpr LONG kStatusSuccess = 0;

UniqueHandle OpenToken()
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return {};
    return UniqueHandle(token);
}

bool ShutdownLuid(LUID& luid)
{
    return ::LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &luid) != FALSE;
}

int Ask(HWND owner, UINT caption, UINT text, UINT type)
{
    return ::MessageBoxW(owner, texts::LoadSelected(text).c_str(), texts::LoadSelected(caption).c_str(),
                         MB_TOPMOST | type);
}

} // namespace

CHibernate::CHibernate(CKeyForwarder& forwarder) : m_forwarder(forwarder) {}

// A question still open on the thread is answered No, so the tray can end.
CHibernate::~CHibernate()
{
    if (!m_thread) return;
    while (::WaitForSingleObject(m_thread.get(), 100) == WAIT_TIMEOUT) {
        ::EnumThreadWindows(
            m_threadId,
            [](HWND window, LPARAM) -> BOOL {
                ::PostMessageW(window, WM_COMMAND, IDNO, 0);
                ::PostMessageW(window, WM_COMMAND, IDOK, 0);
                return TRUE;
            },
            0);
    }
}

void CHibernate::Start()
{
    if (m_thread) {
        if (::WaitForSingleObject(m_thread.get(), 0) == WAIT_TIMEOUT) return;
        m_thread.reset();
    }
    m_thread.reset(::CreateThread(nullptr, 0, &CHibernate::ThreadMain, this, 0, &m_threadId));
    if (!m_thread) m_forwarder.ClearHibernateGuard();
}

DWORD WINAPI CHibernate::ThreadMain(void* self)
{
    auto& hibernate = *static_cast<CHibernate*>(self);
    // Enabled just now: the user asked for hibernation, so it follows at once.
    if (hibernate.Hibernate(false) == kEnabled) hibernate.Hibernate(false);
    hibernate.m_forwarder.ClearHibernateGuard();
    return 0;
}

CHibernate::Result CHibernate::Hibernate(bool force)
{
    if (seams::IsPwrHibernateAllowed()) {
        if (!EnablePrivilege()) return kFailed;
        m_hibernating = true;
        const bool requested
            = seams::SetSystemPowerState(false, force) || seams::SetSuspendState(true, force, false);
        if (!requested) {
            RestorePrivilege();
            return kFailed;
        }
        m_hibernating = false;
        RestorePrivilege();
        return kRequested;
    }
    if (Ask(nullptr, IDS_HIBERNATE_FAILED_CAPTION, IDS_HIBERNATE_NOT_SUPPORTED, MB_ICONQUESTION | MB_YESNO)
        != IDYES)
        return kFailed;
    BOOLEAN reserve = TRUE;
    if (seams::CallNtPowerInformation(SystemReserveHiberFile, &reserve, sizeof(reserve), nullptr, 0)
        == kStatusSuccess)
        return kEnabled;
    if (::GetLastError() == ERROR_ACCESS_DENIED)
        Ask(nullptr, IDS_ACCESS_DENIED, IDS_NO_ACCESS_RIGHTS, MB_ICONINFORMATION);
    else
        Ask(nullptr, IDS_HIBERNATE_FAILED_CAPTION, IDS_HIBERNATE_ENABLE_FAILED, MB_ICONINFORMATION);
    return kFailed;
}

// Both requests of an attempt may be vetoed, and the second notice arrives
// while the question is open: it finds the attempt taken and asks nothing.
void CHibernate::OfferForced(HWND owner)
{
    if (!m_hibernating.exchange(false)) return;
    if (Ask(owner, IDS_HIBERNATE_FAILED_CAPTION, IDS_HIBERNATE_VETOED, MB_ICONQUESTION | MB_YESNO) == IDYES)
        Hibernate(true);
}

bool CHibernate::EnablePrivilege()
{
    const UniqueHandle token = OpenToken();
    LUID luid{};
    if (!token || !ShutdownLuid(luid)) return false;
    PRIVILEGE_SET check{1, PRIVILEGE_SET_ALL_NECESSARY, {{luid, 0}}};
    BOOL held = FALSE;
    if (::PrivilegeCheck(token.get(), &check, &held)) m_privilegeHeld = held ? 1 : 0;
    TOKEN_PRIVILEGES enable{1, {{luid, SE_PRIVILEGE_ENABLED}}};
    DWORD bytes = 0;
    m_savedPrivileges = {};
    if (::AdjustTokenPrivileges(token.get(), FALSE, &enable, sizeof(m_savedPrivileges), &m_savedPrivileges,
                                &bytes))
        return true;
    m_savedPrivileges = {};
    return ::AdjustTokenPrivileges(token.get(), FALSE, &enable, 0, nullptr, nullptr) != FALSE;
}

void CHibernate::RestorePrivilege()
{
    const UniqueHandle token = OpenToken();
    if (!token) return;
    if (m_savedPrivileges.PrivilegeCount == 1) {
        ::AdjustTokenPrivileges(token.get(), FALSE, &m_savedPrivileges, 0, nullptr, nullptr);
        return;
    }
    LUID luid{};
    if ((m_privilegeHeld != 0 && m_privilegeHeld != 1) || !ShutdownLuid(luid)) return;
    TOKEN_PRIVILEGES state{1, {{luid, m_privilegeHeld == 1 ? static_cast<DWORD>(SE_PRIVILEGE_ENABLED) : 0u}}};
    ::AdjustTokenPrivileges(token.get(), FALSE, &state, 0, nullptr, nullptr);
}
