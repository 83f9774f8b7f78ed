#include "TrayEventRouter.h"

#include "FeatureConfig.h"
#include "HotkeyDispatcher.h"
#include "TrayEntries.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr WPARAM kServiceStoreDesktopMode = 1;
constexpr WPARAM kServiceApplyDesktopMode = 2;
constexpr WPARAM kMaxBrightnessPercent = 100;
constexpr int kMonitorOn = 1;

// The monitor-power setting the launch-button executor registers for.
constexpr GUID kMonitorPowerOn = {0x02731015, 0x4510, 0x4526,
                                  {0x99, 0xE6, 0xE5, 0xA1, 0x7E, 0xBD, 0x1A, 0xEA}};

// A switch state from another program is 0 or 1; anything else is not acted on.
bool IsSwitchState(WPARAM state) { return state == 0 || state == 1; }

} // namespace

// "Tavrin - CHANGE_BATTERY_CHARGE_STATE" needs nothing beyond the default processing.
const CTrayEventRouter::RegisteredName CTrayEventRouter::kRegisteredNames[] = {
    {L"Tavrin - TOGGLE_EBL_STATE",
     [](CTrayEventRouter& r, WPARAM state, LPARAM) {
         if (IsSwitchState(state)) r.m_entries.ToggleExtendedBatteryLife(state == 1);
     }},
    {L"Tavrin - TOGGLE_INTELLIGENT_DISPLAY",
     [](CTrayEventRouter& r, WPARAM state, LPARAM) {
         if (IsSwitchState(state)) r.m_entries.ToggleIntelligentDisplay(state == 1);
     }},
    {L"Tavrin - MY_SERVICE_MESSAGE",
     [](CTrayEventRouter& r, WPARAM request, LPARAM flags) { r.OnServiceMessage(request, flags); }},
    {L"Tavrin - Rescan Device Manager Completed",
     [](CTrayEventRouter& r, WPARAM, LPARAM) { r.m_entries.FinishDeviceRescan(); }},
    {L"Tavrin - VOLUME_CHANGE",
     [](CTrayEventRouter& r, WPARAM volume, LPARAM mute) { r.m_entries.ShowVolumeChange(volume, mute); }},
    {L"Tavrin - AUDIOE_ENDPOINT_CHANGE",
     [](CTrayEventRouter& r, WPARAM, LPARAM) { r.m_entries.RebindAudioEndpoint(); }},
    {L"Tavrin - BRIGHTNESS_CHANGE",
     [](CTrayEventRouter& r, WPARAM percent, LPARAM) {
         r.m_entries.ShowBrightnessPercent(static_cast<int>(std::min(percent, kMaxBrightnessPercent)));
     }},
    {L"Tavrin - HIBERNATE", [](CTrayEventRouter& r, WPARAM, LPARAM) { r.m_entries.StartHibernate(); }},
    {L"Arkon_ShowAdvanced",
     [](CTrayEventRouter& r, WPARAM, LPARAM) { r.m_entries.ShowAdvancedDisplayConfiguration(); }},
    {L"Stop Tavrin", [](CTrayEventRouter& r, WPARAM, LPARAM) { r.m_entries.Close(); }},
    {L"TaskbarCreated", [](CTrayEventRouter& r, WPARAM, LPARAM) { r.m_entries.AddTrayIcon(); }},
};

// Each expiry stops its timer first; the resume timer is routed on its own.
const CTrayEventRouter::TimerRoute CTrayEventRouter::kTimers[] = {
    {kTrayClickTimer, &ITrayEntries::TrayIconSingleClick},
    {CHotkeyDispatcher::kDisplaySwitchTimer, &ITrayEntries::CommitDisplaySwitch},
    {kEblEvaluationTimer, &ITrayEntries::EblEvaluationTimer},
    {kIntelligentDisplayTimer, &ITrayEntries::IntelligentDisplayTimer},
    {kDisplayOffIndicatorTimer, &ITrayEntries::UpdateDisplayOffIndicator},
};

CTrayEventRouter::CTrayEventRouter(ITrayEntries& entries, CHotkeyDispatcher& hotkeys)
    : m_entries(entries), m_hotkeys(hotkeys)
{
    // A registration that failed (number 0) matches nothing.
    for (const RegisteredName& entry : kRegisteredNames) {
        const UINT number = ::RegisterWindowMessageW(entry.name);
        if (number != 0) m_registered.push_back({number, entry.handler});
    }
}

bool CTrayEventRouter::OnMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case CKeyForwarder::kKeyMessage:
        m_hotkeys.OnKeyMessage(wp, lp);
        return true;
    case kBacklightSupportMessage:
        m_entries.RecheckKeyboardBacklightSupport();
        return true;
    case WM_POWERBROADCAST:
        OnPowerBroadcast(wp, lp);
        return true;
    default:
        return OnRegisteredMessage(msg, wp, lp);
    }
}

bool CTrayEventRouter::OnRegisteredMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    const auto it = std::find_if(m_registered.begin(), m_registered.end(),
                                 [msg](const Registered& r) { return r.number == msg; });
    if (it == m_registered.end()) return false;
    it->handler(*this, wp, lp);
    return true;
}

bool CTrayEventRouter::OnTimer(UINT_PTR id)
{
    if (id == kResumeTimer) {
        OnResumeTimer();
        return true;
    }
    const auto it = std::find_if(std::begin(kTimers), std::end(kTimers),
                                 [id](const TimerRoute& t) { return t.id == id; });
    if (it == std::end(kTimers)) return false;
    m_entries.StopTimer(id);
    (m_entries.*(it->expiry))();
    return true;
}

// Waits, timer still running, until the user's desktop is back (after a
// resume it can still be the secure desktop of the logon screen).
void CTrayEventRouter::OnResumeTimer()
{
    if (!m_entries.IsInputDesktopAvailable()) return;
    m_entries.StopTimer(kResumeTimer);
    m_entries.PostResumeAnnouncement();
}

void CTrayEventRouter::OnServiceMessage(WPARAM request, LPARAM flags)
{
    if (!m_entries.IsCapability(feature_config::kDesktopMode)) return;
    if (request == kServiceStoreDesktopMode) {
        m_entries.StoreDesktopModeChoice((flags & 1) != 0, (flags & 2) != 0);
    } else if (request == kServiceApplyDesktopMode) {
        m_entries.ApplyDesktopMode();
    }
}

void CTrayEventRouter::OnPowerBroadcast(WPARAM event, LPARAM data)
{
    switch (event) {
    case PBT_POWERSETTINGCHANGE:
        OnMonitorPower(reinterpret_cast<const POWERBROADCAST_SETTING*>(data));
        break;
    case PBT_APMPOWERSTATUSCHANGE:
        OnPowerSourceChange();
        break;
    case PBT_APMSUSPEND:
        OnSuspend();
        break;
    case PBT_APMRESUMESUSPEND:
        OnResume();
        break;
    case PBT_APMQUERYSUSPENDFAILED:
        if (m_entries.IsHibernatePending()) m_entries.OfferForcedHibernate();
        break;
    default:
        break;
    }
}

// A change the tray's own display-off press causes is not reported again.
void CTrayEventRouter::OnMonitorPower(const POWERBROADCAST_SETTING* setting)
{
    if (setting == nullptr || setting->PowerSetting != kMonitorPowerOn || setting->DataLength < 1) {
        return;
    }
    if (m_hotkeys.IsDisplayOffBusy() || !m_entries.HasLaunchButtonExecutor()) return;
    const int state = setting->Data[0];
    if (m_entries.HasDisplayOffIndicator() && !m_suspended) {
        m_entries.ScheduleDisplayOffIndicator(state);
    }
    m_entries.SetExecutorMonitorState(state);
}

void CTrayEventRouter::OnPowerSourceChange()
{
    m_entries.PowerSourceChanged();
    m_entries.RefreshBrightnessDisplay();
    if (m_entries.IsCapability(feature_config::kDesktopMode)) m_entries.DesktopModeRefresh();
}

void CTrayEventRouter::OnSuspend()
{
    m_suspended = true;
    if (m_entries.HasDisplayOffIndicator()) m_entries.ScheduleDisplayOffIndicator(kMonitorOn);
    m_entries.ClearPendingHibernate();
}

void CTrayEventRouter::OnResume()
{
    if (m_entries.IsCapability(feature_config::kDesktopMode)) m_entries.DesktopModeRefresh();
    m_entries.ClearPendingHibernate();
    m_entries.ResetLaunchButtonExecutor();
    m_entries.ReportVersionToBios(1);
    if (!m_entries.IsCapability(feature_config::kNoDelayedMessageQuery)) {
        m_entries.StartDelayedBiosMessageQuery();
    }
    m_hotkeys.RefreshBatteryMeter();
    if (m_entries.NeedsPostResumeAnnouncement()) {
        m_entries.StartTimer(kResumeTimer, kResumeTimerMs);
    }
    if (m_entries.OsdStyle() != feature_config::kStyleK7) m_entries.CheckBatteryCharging();
    m_suspended = false;
}
