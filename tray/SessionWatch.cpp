#include "SessionWatch.h"
#include "ProcAddress.h"
#include <wtsapi32.h>

namespace {
constexpr DWORD kRetryMs = 30 * 1000;
constexpr int kRetries = 5;
constexpr DWORD kReadyWaitMs = 300 * 1000;
} // namespace

void CSessionWatch::Start(HWND window)
{
    m_window = window;
    m_wtsapi.reset(::LoadLibraryW(L"Wtsapi32.dll"));
    m_register = ResolveExport<RegisterFn>(m_wtsapi.get(), "WTSRegisterSessionNotification");
    m_unregister = ResolveExport<UnregisterFn>(m_wtsapi.get(), "WTSUnRegisterSessionNotification");
    if (!Register()) {
        m_stop.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        if (m_stop) m_thread.reset(::CreateThread(nullptr, 0, &CSessionWatch::WaitThread, this, 0, nullptr));
    }
    RefreshConsoleSession();
}

bool CSessionWatch::Register()
{
    if (m_register && m_register(m_window, NOTIFY_FOR_THIS_SESSION)) m_registered = true;
    return m_registered;
}

void CSessionWatch::Stop()
{
    if (m_thread) {
        ::SetEvent(m_stop.get());
        ::WaitForSingleObject(m_thread.get(), INFINITE);
        m_thread.reset();
    }
    if (m_registered.exchange(false) && m_unregister) m_unregister(m_window);
}

void CSessionWatch::RefreshConsoleSession()
{
    using ConsoleSessionFn = DWORD(WINAPI*)();
    auto fn = ResolveExport<ConsoleSessionFn>(::GetModuleHandleW(L"Kernel32.dll"),
                                              "WTSGetActiveConsoleSessionId");
    m_consoleSession = fn ? fn() : kNoSession;
}

DWORD WINAPI CSessionWatch::WaitThread(void* self)
{
    static_cast<CSessionWatch*>(self)->WaitForTerminalServices();
    return 0;
}

void CSessionWatch::WaitForTerminalServices()
{
    UniqueHandle ready(::OpenEventW(SYNCHRONIZE, FALSE, L"Global\\TermSrvReadyEvent"));
    if (!ready) {
        if (::GetLastError() != ERROR_ACCESS_DENIED) return;
        for (int attempt = 0; attempt < kRetries; ++attempt) {
            if (::WaitForSingleObject(m_stop.get(), kRetryMs) == WAIT_OBJECT_0) return;
            if (Register()) break;
        }
        RefreshConsoleSession();
        return;
    }
    HANDLE waits[] = {m_stop.get(), ready.get()};
    DWORD result = ::WaitForMultipleObjects(2, waits, FALSE, kReadyWaitMs);
    if (result == WAIT_OBJECT_0) return;
    Register();
    RefreshConsoleSession();
}
