// The yardstick for the resident programs' memory: a Win32 program that
// does nothing but own a hidden window and serve its messages. It says
// "ready" on its output once the window exists.
#include <windows.h>

#include <cstdio>

int wmain()
{
    const HWND window = ::CreateWindowExW(0, L"STATIC", L"empty", 0, 0, 0, 0, 0, nullptr, nullptr,
                                          ::GetModuleHandleW(nullptr), nullptr);
    if (!window) return 1;
    std::puts("ready");
    std::fflush(stdout);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    return 0;
}
