#include "BatterySavingFeature.h"

#include "MessageCatalogue.h"
#include "TrayDispatcher.h"
#include "UniqueHandle.h"

namespace {

// A switch state from another program is 0 or 1; anything else is not acted on.
bool IsSwitchState(WPARAM state)
{
    return state == 0 || state == 1;
}

} // namespace

CBatterySavingFeature::CBatterySavingFeature(const TrayContext& context, IBatterySavingState* state,
                                             std::function<bool()> inputDesktop)
    : m_context(context)
    , m_state(state)
    , m_inputDesktop(std::move(inputDesktop))
    , m_batteryButton(context.dispatcher.Trace(), "BatteryButton")
    , m_toggleExtendedBatteryLife(context.dispatcher.Trace(), "ToggleExtendedBatteryLife")
    , m_toggleIntelligentDisplay(context.dispatcher.Trace(), "ToggleIntelligentDisplay")
    , m_eblEvaluationTimer(context.dispatcher.Trace(), "EblEvaluationTimer")
    , m_intelligentDisplayTimer(context.dispatcher.Trace(), "IntelligentDisplayTimer")
    , m_postResumeAnnouncement(context.dispatcher.Trace(), "PostResumeAnnouncement")
    , m_powerSourceChanged(context.dispatcher.Trace(), "PowerSourceChanged")
    , m_keyAction(context.dispatcher.Trace(), "ExtendedBatteryLifeKeyAction")
{}

void CBatterySavingFeature::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    dispatcher.RouteKey(0xE007, [this] { m_batteryButton(); });
    dispatcher.RouteBios(0xE007, [this](const BiosEventCode&) { m_batteryButton(); });
    dispatcher.RouteRegistered(messages::kToggleEblState, [this](WPARAM state, LPARAM) {
        if (IsSwitchState(state)) m_toggleExtendedBatteryLife(state == 1);
    });
    dispatcher.RouteRegistered(messages::kToggleIntelligentDisplay, [this](WPARAM state, LPARAM) {
        if (IsSwitchState(state)) m_toggleIntelligentDisplay(state == 1);
    });
    dispatcher.RouteTimer(TimerId::EblEvaluation, [this] { m_eblEvaluationTimer(); });
    dispatcher.RouteTimer(TimerId::IntelligentDisplay, [this] { m_intelligentDisplayTimer(); });
    dispatcher.RouteTimer(
        TimerId::S3S4Resume, [this] { OnResumeTimer(); }, CTrayDispatcher::TimerStop::ByAction);
}

bool CBatterySavingFeature::NeedsPostResumeAnnouncement() const
{
    return m_state != nullptr && m_state->NeedsPostResumeAnnouncement();
}

// Waits, timer still running, until the user's desktop is back (after a
// resume it can still be the secure desktop of the logon screen).
void CBatterySavingFeature::OnResumeTimer()
{
    if (!m_inputDesktop()) return;
    m_context.dispatcher.StopTimer(TimerId::S3S4Resume);
    m_postResumeAnnouncement();
}

bool CBatterySavingFeature::IsInputDesktopAvailable()
{
    return static_cast<bool>(UniqueDesktop(::OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS)));
}
