#pragma once
#include <windows.h>
#include <string>

// Every message that travels between the programs of the suite, by the name
// each program registers, plus the fixed window-message numbers of the tray.
// Who sends what, and how, is noted beside each name.
namespace messages {

// Sent to every top-level window by the launch-button executor when a
// hibernate request fails; the tray hibernates.
inline constexpr wchar_t kHibernate[] = L"Tavrin - HIBERNATE";
// Posted to every top-level window (and by the manager to its own dialog):
// the launch-button manager brings itself to the top.
inline constexpr wchar_t kMakeUdbWindowTopmost[] = L"Tavrin - MAKE_UDB_WINDOW_TOPMOST";
// Broadcast after the radio state changed.
inline constexpr wchar_t kWirelessToggle[] = L"Tavrin - WIRELESS_TOGGLE";
// Broadcast after the light-sensor key (wParam the new state) and after every brightness key (0).
inline constexpr wchar_t kChangeLcdAlsState[] = L"Tavrin - CHANGE_LCD_ALS_STATE";
// Broadcast with the new keyboard-light level in wParam.
inline constexpr wchar_t kChangeBacklitKeyboardState[] = L"Tavrin - CHANGE_BACKLIT_KEYBOARD_STATE";
// To the tray, wParam the new state 0/1.
inline constexpr wchar_t kToggleEblState[] = L"Tavrin - TOGGLE_EBL_STATE";
inline constexpr wchar_t kToggleIntelligentDisplay[] = L"Tavrin - TOGGLE_INTELLIGENT_DISPLAY";
inline constexpr wchar_t kChangeBatteryChargeState[] = L"Tavrin - CHANGE_BATTERY_CHARGE_STATE";
// Between the tray and the battery meter, and from a second battery meter to
// the running one (sent); wParam says which request.
inline constexpr wchar_t kMyServiceMessage[] = L"Tavrin - MY_SERVICE_MESSAGE";
// From the tray to the battery meter: refresh the battery-health information.
inline constexpr wchar_t kTvrToBhmRefresh[] = L"TvrtoBHMRefreshMsg";
// Closes the tray and the battery meter; no program of the suite sends it.
inline constexpr wchar_t kStopTavrin[] = L"Stop Tavrin";
// Posted by the tray's own notification threads to its window.
inline constexpr wchar_t kVolumeChange[] = L"Tavrin - VOLUME_CHANGE";
inline constexpr wchar_t kAudioEndpointChange[] = L"Tavrin - AUDIOE_ENDPOINT_CHANGE";
inline constexpr wchar_t kBrightnessChange[] = L"Tavrin - BRIGHTNESS_CHANGE";
inline constexpr wchar_t kRescanDeviceManagerCompleted[] = L"Tavrin - Rescan Device Manager Completed";
// Broadcast on brightness keys and after the light-sensor key.
inline constexpr wchar_t kAlsHotKey[] = L"UWM_ALS_HOT_KEY-{B4B66920-FD80-4df4-93B5-F9B4DD5D5CD7}";
// Opens the tray's display dialog; no program of the suite sends it.
inline constexpr wchar_t kArkonShowAdvanced[] = L"Arkon_ShowAdvanced";
// Broadcast by the shell when the taskbar is re-created.
inline constexpr wchar_t kTaskbarCreated[] = L"TaskbarCreated";

// Fixed numbers of messages to the tray's window.
inline constexpr UINT kTrayIconMessage = 0x0BD0;
inline constexpr UINT kOemKeyMessage = WM_APP + 0x65;
inline constexpr UINT kKeyboardLightSupportChanged = WM_APP + 0x66;

// How the other programs find the tray's window and the battery meter's.
inline constexpr wchar_t kTrayClass[] = L"TavrinClass";
inline constexpr wchar_t kTrayTitle[] = L"Tavrin";
inline constexpr UINT kBatteryMeterTitleText = 918;

// The number of a registered message; 0 when registration failed.
UINT Register(const wchar_t* name);
// A failed registration (0) matches nothing.
bool Matches(UINT message, UINT registered);

// Posted to every top-level window; false when nothing was posted.
bool Broadcast(const wchar_t* name, WPARAM wParam, LPARAM lParam);
// Sent to every top-level window, skipping any that does not answer in time.
bool BroadcastSent(const wchar_t* name, WPARAM wParam, LPARAM lParam);

HWND FindTray();
// Posted to the tray's window; false (nothing posted) when it is not running.
bool PostToTray(const wchar_t* name, WPARAM wParam, LPARAM lParam);

// The battery meter's window is found by its title: text 918 of the tray's
// table in the selected language (`trayTexts`: the module holding it, null for
// the running executable).
std::wstring BatteryMeterTitle(HMODULE trayTexts = nullptr);
HWND FindBatteryMeter(const std::wstring& title);
bool PostToBatteryMeter(const wchar_t* name, WPARAM wParam, LPARAM lParam, HMODULE trayTexts = nullptr);

} // namespace messages
