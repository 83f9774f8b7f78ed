#pragma once
#include "UniqueHandle.h"
#include <windows.h>
#include <atomic>

// Session-change notifications for the tray window, and the console session
// identifier. When the terminal services are not ready at start-up a waiting
// thread registers later; it ends early when the watch is stopped.
class CSessionWatch {
public:
    static constexpr DWORD kNoSession = 0xFFFFFFFF;

    CSessionWatch() = default;
    ~CSessionWatch() { Stop(); }
    CSessionWatch(const CSessionWatch&) = delete;
    CSessionWatch& operator=(const CSessionWatch&) = delete;

    void Start(HWND window);
    // Unregisters and ends the waiting thread; safe to repeat.
    void Stop();

    DWORD ConsoleSessionId() const { return m_consoleSession; }
    void RefreshConsoleSession();

private:
    using RegisterFn = BOOL(WINAPI*)(HWND, DWORD);
    using UnregisterFn = BOOL(WINAPI*)(HWND);

    bool Register();
    static DWORD WINAPI WaitThread(void* self);
    void WaitForTerminalServices();

    HWND m_window = nullptr;
    UniqueModule m_wtsapi;
    RegisterFn m_register = nullptr;
    UnregisterFn m_unregister = nullptr;
    std::atomic<bool> m_registered{false};
    std::atomic<DWORD> m_consoleSession{kNoSession};
    UniqueHandle m_stop;
    UniqueHandle m_thread;
};
