// Stands in for the programs the launch button starts (character map,
// presentation settings, media centre, media launcher, Wireless Display, a
// user's program), installed under their names by the tests. Each start,
// and what its window receives, is a line in the file named by
// TAVRIN_STANDIN_LOG: "<exe> start <show> <command line>", "<exe> key 0xNN",
// "<exe> monitor N", "<exe> hibernate-request" (the tray's hibernation
// help was asked for), "<exe> closed". It stays until its window is closed or
// the event TavrinTestStandInFinish is set.
#include "MessageCatalogue.h"
#include "UniqueHandle.h"
#include "Utf8.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring g_exe;
UINT g_hibernateRequest = 0;

void Note(const std::string& what)
{
    wchar_t log[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"TAVRIN_STANDIN_LOG", log, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    UniqueFileHandle file(::CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    const std::string line = Utf8(g_exe) + " " + what + "\n";
    DWORD written = 0;
    ::WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::string Hex(unsigned value)
{
    char text[16] = {};
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp)
{
    if (message == g_hibernateRequest && message != 0) {
        Note("hibernate-request");
        return 0;
    }
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        Note("key " + Hex(static_cast<unsigned>(wp)));
        break;
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == SC_MONITORPOWER) {
            Note("monitor " + std::to_string(lp));
            return 0;
        }
        break;
    case WM_DESTROY:
        Note("closed");
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wp, lp);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    g_exe = path;
    g_exe = g_exe.substr(g_exe.find_last_of(L'\\') + 1);
    STARTUPINFOW startup{sizeof(startup)};
    ::GetStartupInfoW(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;
    Note("start " + std::to_string(show) + " " + Utf8(::GetCommandLineW()));
    g_hibernateRequest = ::RegisterWindowMessageW(messages::kHibernate);

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"TavrinTestStandIn";
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ::RegisterClassW(&windowClass);
    // The media launcher is found by its title.
    const std::wstring title
        = _wcsicmp(g_exe.c_str(), L"lumara_primary.exe") == 0 ? L"Corvane Lumara" : g_exe;
    HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 100,
                                    100, 320, 200, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 2;
    ::ShowWindow(window, SW_SHOWNORMAL);
    ::SetForegroundWindow(window);
    ::SetFocus(window);

    UniqueHandle finish(::CreateEventW(nullptr, TRUE, FALSE, L"TavrinTestStandInFinish"));
    for (;;) {
        const HANDLE waits[] = {finish.get()};
        const DWORD woken = ::MsgWaitForMultipleObjects(1, waits, FALSE, 60000, QS_ALLINPUT);
        if (woken != WAIT_OBJECT_0 + 1) {
            ::DestroyWindow(window);
            return 0;
        }
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return 0;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}
