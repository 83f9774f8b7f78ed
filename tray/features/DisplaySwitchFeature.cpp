#include "DisplaySwitchFeature.h"

#include "OsdHider.h"
#include "TrayDispatcher.h"

namespace {

uint8_t LowByte(uint16_t value)
{
    return static_cast<uint8_t>(value & 0xFF);
}

} // namespace

CDisplaySwitchFeature::CDisplaySwitchFeature(const TrayContext& context, IDisplaySwitchOsd* osd)
    : m_context(context)
    , m_osd(osd)
    , m_show(context.dispatcher.Trace(), "ShowDisplaySwitch",
             [this](uint8_t, uint8_t, uint8_t, bool) { m_context.osds.HideOtherOsds(OsdKind::All); })
    , m_showPressed(
          context.dispatcher.Trace(), "ShowDisplaySwitchPressed",
          [this](uint16_t, uint16_t, uint16_t, bool) { m_context.osds.HideOtherOsds(OsdKind::All); })
    , m_finish(context.dispatcher.Trace(), "FinishDisplaySwitch")
    , m_commit(context.dispatcher.Trace(), "CommitDisplaySwitch")
{}

void CDisplaySwitchFeature::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    dispatcher.RouteKey(0xE00B, [this] { m_show(0, 0, 0, false); });
    dispatcher.RouteBios(0xE00B, [this](const BiosEventCode& e) {
        m_show(LowByte(e.arg1), LowByte(e.arg2), LowByte(e.arg3), true);
    });
    dispatcher.RouteKey(0xE01B, [this] { Pressed(0, 0, 0, false); });
    dispatcher.RouteBios(0xE01B, [this](const BiosEventCode& e) { Pressed(e.arg1, e.arg2, e.arg3, true); });
    dispatcher.RouteKey(0xE09B, [this] { Released(); });
    dispatcher.RouteBios(0xE09B, [this](const BiosEventCode&) { Released(); });
    dispatcher.RouteTimer(TimerId::DisplaySwitchCommit, [this] { m_commit(); });
}

void CDisplaySwitchFeature::Pressed(uint16_t arg1, uint16_t arg2, uint16_t arg3, bool fromBios)
{
    m_context.dispatcher.StopTimer(TimerId::DisplaySwitchCommit);
    m_showPressed(arg1, arg2, arg3, fromBios);
}

// The chosen combination is committed when the display says it is final,
// otherwise after a short pause in which another press may change it.
void CDisplaySwitchFeature::Released()
{
    if (m_osd == nullptr || !m_osd->IsOpen()) return;
    m_context.dispatcher.StopTimer(TimerId::DisplaySwitchCommit);
    if (m_osd->IsFinal()) {
        m_finish();
    } else {
        m_context.dispatcher.StartTimer(TimerId::DisplaySwitchCommit, kCommitDelayMs);
    }
}
