// traytour: drives a running Tavrin.exe from outside for the scripted tour,
// the way the notification area and the user would.
#include <windows.h>
#include <cstdio>
#include <cwchar>

namespace {

constexpr UINT kTrayMessage = 0x0BD0;
constexpr WPARAM kAboutCommand = 32775;

HWND Tray()
{
    return ::FindWindowW(L"TavrinClass", L"Tavrin");
}

int Usage()
{
    std::fputs("usage: traytour wait|context|hotkeys|open-submenu|cancel-menu|about|close-about|stop\n",
               stderr);
    return 2;
}

bool WaitForTray()
{
    for (int i = 0; i < 200 && !Tray(); ++i) ::Sleep(50);
    return Tray() != nullptr;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) return Usage();
    const wchar_t* command = argv[1];
    if (std::wcscmp(command, L"wait") == 0) return WaitForTray() ? 0 : 1;
    if (std::wcscmp(command, L"stop") == 0) {
        ::PostMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(L"Stop Tavrin"), 0, 0);
        return 0;
    }
    HWND tray = Tray();
    if (!tray) {
        std::fputs("traytour: Tavrin is not running\n", stderr);
        return 1;
    }
    if (std::wcscmp(command, L"context") == 0)
        ::PostMessageW(tray, kTrayMessage, 1, WM_RBUTTONUP);
    else if (std::wcscmp(command, L"hotkeys") == 0)
        ::PostMessageW(tray, kTrayMessage, 1, WM_LBUTTONUP);
    else if (std::wcscmp(command, L"open-submenu") == 0) {
        // The open pop-up menu is the system's menu window; Right opens the
        // highlighted submenu, Down highlights the first entry.
        HWND menu = ::FindWindowW(L"#32768", nullptr);
        if (!menu) return 1;
        ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageW(menu, WM_KEYDOWN, VK_RIGHT, 0);
    } else if (std::wcscmp(command, L"cancel-menu") == 0)
        ::PostMessageW(tray, WM_CANCELMODE, 0, 0);
    else if (std::wcscmp(command, L"about") == 0)
        ::PostMessageW(tray, WM_COMMAND, kAboutCommand, 0);
    else if (std::wcscmp(command, L"close-about") == 0) {
        HWND about = ::FindWindowW(nullptr, L"About Tavrin");
        if (!about) return 1;
        ::PostMessageW(about, WM_COMMAND, IDOK, 0);
    } else
        return Usage();
    return 0;
}
