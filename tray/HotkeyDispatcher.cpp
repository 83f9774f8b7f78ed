#include "HotkeyDispatcher.h"

#include "DispatchTrace.h"
#include "FeatureConfig.h"
#include "KeyForwarder.h"
#include "OemKeyTable.h"
#include "TrayEntries.h"

#include <algorithm>

namespace {

constexpr int kCapsLockIndicator = 101;
constexpr int kNumLockIndicator = 102;
constexpr UINT kMsgInstallWirelessDisplay = 23;

// Models whose keys the firmware reports itself: keys from the keyboard would double them.
constexpr uint16_t kKeylessSystems[] = {744, 746, 747};

uint8_t LowByte(uint16_t value) { return static_cast<uint8_t>(value & 0xFF); }
uint32_t HighLow(uint16_t high, uint16_t low) { return (uint32_t{high} << 16) | low; }

} // namespace

// "key" acts on a code from the keyboard, "bios" on the firmware's report;
// a null action means that source does nothing with the code.
const CHotkeyDispatcher::Route CHotkeyDispatcher::kRoutes[] = {
    {0x003A,
     [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.ShowLockKey(kCapsLockIndicator, false); },
     [](CHotkeyDispatcher& d, const BiosEventCode&) { d.m_entries.ShowLockKey(kCapsLockIndicator, true); }},
    {0xE045,
     [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.ShowLockKey(kNumLockIndicator, false); },
     [](CHotkeyDispatcher& d, const BiosEventCode&) { d.m_entries.ShowLockKey(kNumLockIndicator, true); }},
    {0xE005,
     [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.ShowBrightness(-1, false); },
     [](CHotkeyDispatcher& d, const BiosEventCode& e) { d.m_entries.ShowBrightness(e.arg1, true); }},
    {0xE006,
     [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.ShowBrightness(+1, false); },
     [](CHotkeyDispatcher& d, const BiosEventCode& e) { d.m_entries.ShowBrightness(e.arg1, true); }},
    {0xE007,
     [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.BatteryButton(); },
     [](CHotkeyDispatcher& d, const BiosEventCode&) { d.m_entries.BatteryButton(); }},
    {0xE008,
     [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.ShowRadio(0, 0, false); },
     [](CHotkeyDispatcher& d, const BiosEventCode& e) {
         d.m_entries.ShowRadio(HighLow(e.arg2, e.arg1), e.arg3, true);
     }},
    {0xE009,
     [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.Eject(); },
     [](CHotkeyDispatcher& d, const BiosEventCode&) { d.m_entries.Eject(); }},
    {0xE00A,
     [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.StartHibernate(); },
     [](CHotkeyDispatcher& d, const BiosEventCode&) { d.m_entries.StartHibernate(); }},
    {0xE00B,
     [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.ShowDisplaySwitch(0, 0, 0, false); },
     [](CHotkeyDispatcher& d, const BiosEventCode& e) {
         d.m_entries.ShowDisplaySwitch(LowByte(e.arg1), LowByte(e.arg2), LowByte(e.arg3), true);
     }},
    {0xE00C,
     [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.ShowKeyboardLight(0, false); },
     [](CHotkeyDispatcher& d, const BiosEventCode& e) { d.m_entries.ShowKeyboardLight(e.arg1, true); }},
    {0xE033,
     [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.ShowKeyboardLight(0, false); },
     [](CHotkeyDispatcher& d, const BiosEventCode& e) { d.m_entries.ShowKeyboardLight(e.arg1, true); }},
    {0xE034,
     [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.ShowKeyboardLight(0, false); },
     [](CHotkeyDispatcher& d, const BiosEventCode& e) { d.m_entries.ShowKeyboardLight(e.arg1, true); }},
    {0xE00D,
     [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.QueryBiosMessage(); },
     [](CHotkeyDispatcher& d, const BiosEventCode& e) {
         d.m_entries.ShowBiosMessage(e.arg1, e.arg2, HighLow(e.arg4, e.arg3));
     }},
    {0xE00E,
     [](CHotkeyDispatcher& d, uint16_t) { d.RefreshBatteryMeter(); },
     [](CHotkeyDispatcher& d, const BiosEventCode&) { d.RefreshBatteryMeter(); }},
    {0xE011,
     [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.StartRadioConfiguration(); },
     [](CHotkeyDispatcher& d, const BiosEventCode&) { d.m_entries.StartRadioConfiguration(); }},
    {0xE013,
     [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.ShowAmbientLightSensor(0, false); },
     [](CHotkeyDispatcher& d, const BiosEventCode& e) { d.m_entries.ShowAmbientLightSensor(e.arg1, true); }},
    {0xE01B,
     [](CHotkeyDispatcher& d, uint16_t) { d.DisplaySwitchPressed(0, 0, 0, false); },
     [](CHotkeyDispatcher& d, const BiosEventCode& e) { d.DisplaySwitchPressed(e.arg1, e.arg2, e.arg3, true); }},
    {0xE09B,
     [](CHotkeyDispatcher& d, uint16_t) { d.DisplaySwitchReleased(); },
     [](CHotkeyDispatcher& d, const BiosEventCode&) { d.DisplaySwitchReleased(); }},
    {0xE020, [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.HideDisplaysForMute(); }, nullptr},
    {0xE080, [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.HideDisplaysForMute(); }, nullptr},
    {0xE0A0, [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.HideDisplaysForMute(); }, nullptr},
    {0xE0AE, [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.HideDisplaysForMute(); }, nullptr},
    {0xE02E,
     [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.ShowVolumeDisplay(); },
     [](CHotkeyDispatcher& d, const BiosEventCode&) { d.VolumeFromBios(); }},
    {0xE030,
     [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.ShowVolumeDisplay(); },
     [](CHotkeyDispatcher& d, const BiosEventCode&) { d.VolumeFromBios(); }},
    {0xE023, nullptr, [](CHotkeyDispatcher& d, const BiosEventCode&) { d.WirelessDisplayFromBios(); }},
    {0xE025,
     [](CHotkeyDispatcher& d, uint16_t) { d.LaunchButton(); },
     [](CHotkeyDispatcher& d, const BiosEventCode&) { d.LaunchButton(); }},
    {0xE026,
     [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.OpenAudioPanel(); },
     [](CHotkeyDispatcher& d, const BiosEventCode&) { d.m_entries.OpenAudioPanel(); }},
    {0xE027,
     [](CHotkeyDispatcher& d, uint16_t) { d.DisplayOffButton(); },
     [](CHotkeyDispatcher& d, const BiosEventCode&) { d.DisplayOffButton(); }},
    {0xE028,
     [](CHotkeyDispatcher& d, uint16_t) { d.m_entries.StartLaunchButtonManager(); },
     [](CHotkeyDispatcher& d, const BiosEventCode&) { d.m_entries.StartLaunchButtonManager(); }},
    {0xE029, nullptr, [](CHotkeyDispatcher& d, const BiosEventCode&) { d.DesktopModeFromBios(); }},
    {0xE0F7, nullptr, nullptr},
    {0xE0F8, nullptr, nullptr},
    {0xE0F9, nullptr, nullptr},
};

CHotkeyDispatcher::CHotkeyDispatcher(ITrayEntries& entries, CKeyForwarder& forwarder)
    : m_entries(entries), m_forwarder(forwarder), m_lastLaunchPress(entries.TickCount())
{
}

const CHotkeyDispatcher::Route* CHotkeyDispatcher::FindRoute(uint16_t code)
{
    const auto it = std::find_if(std::begin(kRoutes), std::end(kRoutes),
                                 [code](const Route& r) { return r.code == code; });
    return it == std::end(kRoutes) ? nullptr : it;
}

void CHotkeyDispatcher::OnKeyMessage(WPARAM scanCode, LPARAM extended)
{
    const bool inRange = scanCode <= 0xFF;
    OnKey(inRange ? OemKeyCode(static_cast<uint32_t>(scanCode), extended != 0) : 0);
}

void CHotkeyDispatcher::OnKey(uint16_t code)
{
    if (m_trace != nullptr) m_trace->Code(L"key", code);
    if (IsKeylessSystem()) return;
    const Route* route = FindRoute(code);
    if (route != nullptr && route->key != nullptr) route->key(*this, code);
}

void CHotkeyDispatcher::OnBiosEvent(uint16_t code, uint16_t arg1, uint16_t arg2, uint16_t arg3,
                                    uint16_t arg4)
{
    if (m_trace != nullptr) m_trace->Code(L"bios", code, {arg1, arg2, arg3, arg4});
    const Route* route = FindRoute(code);
    if (route != nullptr && route->bios != nullptr) {
        route->bios(*this, BiosEventCode{code, arg1, arg2, arg3, arg4});
    }
}

void CHotkeyDispatcher::RefreshBatteryMeter()
{
    m_entries.RefreshBatteryHealth();
    m_forwarder.ClearBatteryMeterGuard();
}

bool CHotkeyDispatcher::IsKeylessSystem() const
{
    const uint16_t id = m_entries.SystemId();
    return std::find(std::begin(kKeylessSystems), std::end(kKeylessSystems), id) !=
           std::end(kKeylessSystems);
}

void CHotkeyDispatcher::DisplaySwitchPressed(uint16_t arg1, uint16_t arg2, uint16_t arg3,
                                             bool fromBios)
{
    m_entries.StopTimer(kDisplaySwitchTimer);
    m_entries.ShowDisplaySwitchPressed(arg1, arg2, arg3, fromBios);
}

// The chosen combination is committed when the display says it is final,
// otherwise after a short pause in which another press may change it.
void CHotkeyDispatcher::DisplaySwitchReleased()
{
    if (!m_entries.DisplaySwitchWindowExists()) return;
    m_entries.StopTimer(kDisplaySwitchTimer);
    if (m_entries.IsDisplaySwitchFinal()) {
        m_entries.FinishDisplaySwitch();
    } else {
        m_entries.StartTimer(kDisplaySwitchTimer, kDisplaySwitchCommitMs);
    }
}

// On Vista in the newer style the firmware's volume key while muted only
// unmutes; the volume notification that follows shows the display.
void CHotkeyDispatcher::VolumeFromBios()
{
    if (m_entries.OsdStyle() == feature_config::kStyleK7 && m_entries.IsCapability(feature_config::kWindowsVista) &&
        m_entries.IsAudioOutputMuted()) {
        m_entries.UnmuteAudio();
    } else {
        m_entries.ShowVolumeDisplay();
    }
}

void CHotkeyDispatcher::WirelessDisplayFromBios()
{
    if (m_entries.IsCapability(feature_config::kWirelessDisplay)) {
        m_entries.StartWirelessDisplay();
    } else {
        m_entries.ShowMessage(kMsgInstallWirelessDisplay);
    }
}

void CHotkeyDispatcher::DesktopModeFromBios()
{
    if (m_entries.IsCapability(feature_config::kDesktopMode)) m_entries.DesktopModeAdviceCheck();
}

// Every press counts as the previous one, acted on or not, so a bouncing or
// held button acts once.
bool CHotkeyDispatcher::DebouncePress(std::optional<uint64_t>& lastPress)
{
    const uint64_t now = m_entries.TickCount();
    const bool act = !lastPress || now - *lastPress >= kButtonDebounceMs;
    lastPress = now;
    return act;
}

void CHotkeyDispatcher::LaunchButton()
{
    if (!DebouncePress(m_lastLaunchPress) || !m_entries.HasLaunchButtonExecutor()) return;
    if (m_entries.RunLaunchButton()) m_entries.BringLaunchManagerToFront();
}

void CHotkeyDispatcher::DisplayOffButton()
{
    m_displayOffBusy = true;
    if (DebouncePress(m_lastDisplayOffPress) && m_entries.HasLaunchButtonExecutor()) {
        if (m_entries.HasDisplayOffIndicator()) m_entries.SendDisplayOffIndicatorState();
        m_entries.ToggleDisplayOff();
    }
    m_displayOffBusy = false;
}
