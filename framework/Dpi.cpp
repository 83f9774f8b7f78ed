#include "Dpi.h"
#include "ProcAddress.h"

namespace dpi {

int ForWindow(HWND hwnd)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow
        = ResolveExport<GetDpiForWindowFn>(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    if (getDpiForWindow && hwnd) {
        UINT value = getDpiForWindow(hwnd);
        if (value != 0) return static_cast<int>(value);
    }
    HDC screen = ::GetDC(nullptr);
    int value = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ::ReleaseDC(nullptr, screen);
    return value > 0 ? value : USER_DEFAULT_SCREEN_DPI;
}

int Scale(int value, int dpi)
{
    return ::MulDiv(value, dpi, USER_DEFAULT_SCREEN_DPI);
}

} // namespace dpi
