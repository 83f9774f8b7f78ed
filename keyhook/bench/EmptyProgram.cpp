// The yardstick for the resident programs' memory: a Win32 program that
// does nothing but own a hidden window and serve its messages. It says
// "ready" on its output once the window exists.
//
// Options make it pay what the tray pays for parts Wine provides, so that
// share can be told apart from the tray's own: --threads N adds N threads
// that only wait, --gdiplus loads and starts GDI+ (resolved at run time, so
// without the option the image imports nothing more).
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>

#include "ProcAddress.h"

namespace {

DWORD WINAPI Idle(void* stop)
{
    ::WaitForSingleObject(stop, INFINITE);
    return 0;
}

// The flat GDI+ start-up call with its input block as the C++ wrapper fills it.
struct GdiplusStartupInput {
    UINT32 version = 1;
    void* debugEventCallback = nullptr;
    BOOL suppressBackgroundThread = FALSE;
    BOOL suppressExternalCodecs = FALSE;
};
using GdiplusStartupFn = int(WINAPI*)(ULONG_PTR*, const GdiplusStartupInput*, void*);

bool StartGdiplus()
{
    const auto startup = ResolveExport<GdiplusStartupFn>(::LoadLibraryW(L"gdiplus.dll"), "GdiplusStartup");
    ULONG_PTR token = 0;
    const GdiplusStartupInput input;
    return startup && startup(&token, &input, nullptr) == 0;
}

bool IsCount(const wchar_t* text)
{
    if (!text || !*text) return false;
    for (const wchar_t* c = text; *c; ++c)
        if (!std::iswdigit(*c)) return false;
    return std::wcslen(text) <= 3;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    int threads = 0;
    bool gdiplus = false;
    for (int i = 1; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--gdiplus") == 0) {
            gdiplus = true;
        } else if (std::wcscmp(argv[i], L"--threads") == 0 && i + 1 < argc && IsCount(argv[i + 1])) {
            threads = static_cast<int>(std::wcstol(argv[++i], nullptr, 10));
        } else {
            std::fputs("usage: empty_program [--threads N] [--gdiplus]\n", stderr);
            return 2;
        }
    }
    if (gdiplus && !StartGdiplus()) return 1;
    // The event is never set and its handle and the threads' are kept: they
    // live as long as the process. No owning wrapper either, whose unwinding
    // would bring the C++ runtime's exception support into the yardstick.
    const HANDLE stop = threads > 0 ? ::CreateEventW(nullptr, TRUE, FALSE, nullptr) : nullptr;
    for (int i = 0; i < threads; ++i) {
        if (!stop || !::CreateThread(nullptr, 0, &Idle, stop, 0, nullptr)) return 1;
    }
    const HWND window = ::CreateWindowExW(0, L"STATIC", L"empty", 0, 0, 0, 0, 0, nullptr, nullptr,
                                          ::GetModuleHandleW(nullptr), nullptr);
    if (!window) return 1;
    std::puts("ready");
    std::fflush(stdout);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    return 0;
}
