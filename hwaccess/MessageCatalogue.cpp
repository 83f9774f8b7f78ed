#include "MessageCatalogue.h"
#include "TextLoader.h"

namespace messages {
namespace {

// A window that stops answering must not hang the sender.
constexpr UINT kSendTimeoutMs = 2000;

bool PostTo(HWND window, const wchar_t* name, WPARAM wParam, LPARAM lParam)
{
    const UINT message = Register(name);
    return window && message != 0 && ::PostMessageW(window, message, wParam, lParam) != FALSE;
}

} // namespace

UINT Register(const wchar_t* name)
{
    return ::RegisterWindowMessageW(name);
}

bool Matches(UINT message, UINT registered)
{
    return registered != 0 && message == registered;
}

bool Broadcast(const wchar_t* name, WPARAM wParam, LPARAM lParam)
{
    return PostTo(HWND_BROADCAST, name, wParam, lParam);
}

bool BroadcastSent(const wchar_t* name, WPARAM wParam, LPARAM lParam)
{
    const UINT message = Register(name);
    if (message == 0) return false;
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(HWND_BROADCAST, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                                 kSendTimeoutMs, &result)
           != 0;
}

HWND FindTray()
{
    return ::FindWindowW(kTrayClass, kTrayTitle);
}

bool PostToTray(const wchar_t* name, WPARAM wParam, LPARAM lParam)
{
    return PostTo(FindTray(), name, wParam, lParam);
}

std::wstring BatteryMeterTitle(HMODULE trayTexts)
{
    return texts::LoadSelected(kBatteryMeterTitleText, trayTexts);
}

HWND FindBatteryMeter(const std::wstring& title)
{
    // An empty title would match any untitled window.
    return title.empty() ? nullptr : ::FindWindowW(nullptr, title.c_str());
}

bool PostToBatteryMeter(const wchar_t* name, WPARAM wParam, LPARAM lParam, HMODULE trayTexts)
{
    return PostTo(FindBatteryMeter(BatteryMeterTitle(trayTexts)), name, wParam, lParam);
}

} // namespace messages
