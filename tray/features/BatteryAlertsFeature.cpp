#include "BatteryAlertsFeature.h"

#include "FeatureConfig.h"
#include "KeyForwarder.h"
#include "TrayDispatcher.h"

CBatteryAlertsFeature::CBatteryAlertsFeature(const TrayContext& context)
    : m_context(context)
    , m_queryBiosMessage(context.dispatcher.Trace(), "QueryBiosMessage")
    , m_showBiosMessage(context.dispatcher.Trace(), "ShowBiosMessage")
    , m_refreshBatteryHealth(context.dispatcher.Trace(), "RefreshBatteryHealth")
    , m_startDelayedQuery(context.dispatcher.Trace(), "StartDelayedBiosMessageQuery")
    , m_checkBatteryCharging(context.dispatcher.Trace(), "CheckBatteryCharging")
    , m_hideChargingDialog(context.dispatcher.Trace(), "HideBatteryChargingDialog")
{}

void CBatteryAlertsFeature::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    dispatcher.RouteKey(0xE00D, [this] { m_queryBiosMessage(); });
    dispatcher.RouteBios(0xE00D, [this](const BiosEventCode& e) {
        m_showBiosMessage(e.arg1, e.arg2, (uint32_t{e.arg4} << 16) | e.arg3);
    });
    dispatcher.RouteKey(0xE00E, [this] { RefreshBatteryMeter(); });
    dispatcher.RouteBios(0xE00E, [this](const BiosEventCode&) { RefreshBatteryMeter(); });
}

void CBatteryAlertsFeature::RefreshBatteryMeter()
{
    m_refreshBatteryHealth();
    m_context.forwarder.ClearBatteryMeterGuard();
}

void CBatteryAlertsFeature::HideForExit()
{
    if (m_context.osdStyle != feature_config::kStyleK7) m_hideChargingDialog();
}
