#include "LaunchButtonFeature.h"

#include "BiosCalls.h"
#include "MessageCatalogue.h"
#include "SuitePrograms.h"
#include "TrayDispatcher.h"
#include "TrayWindow.h"

#include <algorithm>

namespace {

constexpr uint16_t kDisplayOffIndicatorSystems[] = {1217, 1218, 1219, 1220, 1239, 1240, 1325};
constexpr int kMonitorOn = 1;
constexpr int kMonitorOff = 0;
// The indicator waits longer when the display goes off, so a quick on-off-on
// does not flash it.
constexpr UINT kIndicatorOffDelayMs = 500;
constexpr UINT kIndicatorDelayMs = 50;
constexpr uint16_t kIndicatorClass = 0x0063;
constexpr uint16_t kIndicatorSelect = 0x0063;

// The monitor-power setting the launch-button executor registers for.
constexpr GUID kMonitorPowerOn
    = {0x02731015, 0x4510, 0x4526, {0x99, 0xE6, 0xE5, 0xA1, 0x7E, 0xBD, 0x1A, 0xEA}};

} // namespace

CLaunchButtonFeature::CLaunchButtonFeature(const TrayContext& context, ILaunchButtonExecutor* executor,
                                           const CSuspendState& suspend, std::function<uint64_t()> tickCount)
    : m_context(context)
    , m_executor(executor)
    , m_suspend(suspend)
    , m_tickCount(std::move(tickCount))
    , m_displayOffIndicator(HasDisplayOffIndicator(context.systemId))
    , m_lastLaunchPress(m_tickCount())
    , m_runLaunchButton(context.dispatcher.Trace(), "RunLaunchButton",
                        [this] { return m_executor != nullptr && m_executor->Execute(); })
    , m_bringManagerToFront(context.dispatcher.Trace(), "BringLaunchManagerToFront",
                            [] { messages::Broadcast(messages::kMakeUdbWindowTopmost, 0, 0); })
    , m_sendIndicatorState(context.dispatcher.Trace(), "SendDisplayOffIndicatorState",
                           [this] { SendIndicator(m_executor->MonitorState() == kMonitorOff ? 1 : 0); })
    , m_toggleDisplayOff(context.dispatcher.Trace(), "ToggleDisplayOff",
                         [this] {
                             if (m_executor != nullptr) m_executor->ToggleDisplay();
                         })
    , m_startManager(context.dispatcher.Trace(), "StartLaunchButtonManager",
                     [&context] { context.startProgram(suite_programs::kLaunchButtonManager, L""); })
    , m_scheduleIndicator(context.dispatcher.Trace(), "ScheduleDisplayOffIndicator",
                          [this](int state) { ScheduleIndicator(state); })
    , m_setExecutorMonitorState(context.dispatcher.Trace(), "SetExecutorMonitorState",
                                [this](int state) { m_executor->SetMonitorState(state); })
    , m_updateIndicator(context.dispatcher.Trace(), "UpdateDisplayOffIndicator",
                        [this] { SendIndicator(m_indicatorValue); })
    , m_resetExecutor(context.dispatcher.Trace(), "ResetLaunchButtonExecutor", [this] {
        if (m_executor != nullptr) m_executor->ResetSuspend();
    })
{}

bool CLaunchButtonFeature::HasDisplayOffIndicator(uint16_t systemId)
{
    return std::find(std::begin(kDisplayOffIndicatorSystems), std::end(kDisplayOffIndicatorSystems), systemId)
           != std::end(kDisplayOffIndicatorSystems);
}

void CLaunchButtonFeature::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    dispatcher.RouteKey(0xE025, [this] { LaunchButton(); });
    dispatcher.RouteBios(0xE025, [this](const BiosEventCode&) { LaunchButton(); });
    dispatcher.RouteKey(0xE027, [this] { DisplayOffButton(); });
    dispatcher.RouteBios(0xE027, [this](const BiosEventCode&) { DisplayOffButton(); });
    dispatcher.RouteKey(0xE028, [this] { m_startManager(); });
    dispatcher.RouteBios(0xE028, [this](const BiosEventCode&) { m_startManager(); });
    dispatcher.RoutePower(PBT_POWERSETTINGCHANGE, [this](LPARAM data) { OnMonitorPower(data); });
    dispatcher.RouteTimer(TimerId::DisplayOffLed, [this] { m_updateIndicator(); });
}

void CLaunchButtonFeature::Start()
{
    if (m_executor != nullptr) m_executor->Attach(m_context.window.Handle());
}

void CLaunchButtonFeature::SendIndicator(int value)
{
    BiosCallBuffer buffer;
    m_context.bios.PerformSmi(buffer, kIndicatorClass, kIndicatorSelect, 0, value != 0 ? 1 : 0, 0, 0);
}

// Called before the executor records the new state, so its state is the previous one.
void CLaunchButtonFeature::ScheduleIndicator(int state)
{
    m_indicatorValue = state == kMonitorOff ? 1 : 0;
    const bool goingOff
        = state == kMonitorOff && (m_executor == nullptr || m_executor->MonitorState() == kMonitorOn);
    m_context.dispatcher.StartTimer(TimerId::DisplayOffLed,
                                    goingOff ? kIndicatorOffDelayMs : kIndicatorDelayMs);
}

void CLaunchButtonFeature::Suspending()
{
    if (m_displayOffIndicator) m_scheduleIndicator(kMonitorOn);
}

// Every press counts as the previous one, acted on or not, so a bouncing or
// held button acts once.
bool CLaunchButtonFeature::DebouncePress(std::optional<uint64_t>& lastPress)
{
    const uint64_t now = m_tickCount();
    const bool act = !lastPress || now - *lastPress >= kButtonDebounceMs;
    lastPress = now;
    return act;
}

void CLaunchButtonFeature::LaunchButton()
{
    if (!DebouncePress(m_lastLaunchPress) || m_executor == nullptr) return;
    m_runLaunchButton();
    if (m_executor->ManagerStarted()) m_bringManagerToFront();
}

void CLaunchButtonFeature::DisplayOffButton()
{
    m_displayOffBusy = true;
    if (DebouncePress(m_lastDisplayOffPress) && m_executor != nullptr) {
        if (m_displayOffIndicator) m_sendIndicatorState();
        m_toggleDisplayOff();
    }
    m_displayOffBusy = false;
}

// The window has checked that the notice is readable before it came here. A
// change the tray's own display-off press causes is not reported again.
void CLaunchButtonFeature::OnMonitorPower(LPARAM data)
{
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(data);
    if (setting == nullptr || setting->PowerSetting != kMonitorPowerOn || setting->DataLength < 1) return;
    if (m_displayOffBusy || m_executor == nullptr) return;
    const int state = setting->Data[0];
    if (m_displayOffIndicator && !m_suspend.IsSuspended()) m_scheduleIndicator(state);
    m_setExecutorMonitorState(state);
}
