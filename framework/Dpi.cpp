#include "Dpi.h"

namespace {
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Windows 10 and later; resolved at run time so that the program starts on older systems.
GetDpiForWindowFn ResolveGetDpiForWindow()
{
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<GetDpiForWindowFn>(
               reinterpret_cast<void*>(::GetProcAddress(user32, "GetDpiForWindow")))
                  : nullptr;
}

int DeviceDpi(HWND window)
{
    HDC dc = ::GetDC(window);
    int value = dc ? ::GetDeviceCaps(dc, LOGPIXELSX) : 0;
    if (dc) ::ReleaseDC(window, dc);
    return value;
}
} // namespace

int CDpi::ForWindow(HWND window)
{
    static const GetDpiForWindowFn getDpiForWindow = ResolveGetDpiForWindow();
    if (getDpiForWindow && window && ::IsWindow(window)) {
        auto value = static_cast<int>(getDpiForWindow(window));
        if (value > 0) return value;
    }
    int value = DeviceDpi(window && ::IsWindow(window) ? window : nullptr);
    return value > 0 ? value : USER_DEFAULT_SCREEN_DPI;
}

int CDpi::Scale(int value, int dpi)
{
    return ::MulDiv(value, dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI, USER_DEFAULT_SCREEN_DPI);
}

void CDpi::Set(int dpi)
{
    if (dpi > 0) m_dpi = dpi;
}

RECT CDpi::Scale(const RECT& rect) const
{
    return {Scale(rect.left), Scale(rect.top), Scale(rect.right), Scale(rect.bottom)};
}
