#include "PowerEventsFeature.h"

#include "BatterySavingFeature.h"
#include "FeatureConfig.h"
#include "PlatformSeams.h"
#include "TrayDispatcher.h"
#include "VersionReport.h"

namespace {

bool OnAcPower()
{
    SYSTEM_POWER_STATUS status{};
    return seams::GetPowerStatus(&status) && status.ACLineStatus == 1;
}

} // namespace

CPowerEventsFeature::CPowerEventsFeature(const TrayContext& context, const Parts& parts,
                                         CSuspendState& suspend, std::function<bool()> onAcPower)
    : m_context(context)
    , m_parts(parts)
    , m_suspend(suspend)
    , m_onAcPower(onAcPower ? std::move(onAcPower) : std::function<bool()>(OnAcPower))
    , m_reportVersion(context.dispatcher.Trace(), "ReportVersionToBios", [this](uint32_t running) {
        version_report::Report(m_context.bios, version_report::ReadInstalledVersion(), running);
    })
{}

void CPowerEventsFeature::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    dispatcher.RoutePower(PBT_APMPOWERSTATUSCHANGE, [this](LPARAM) { PowerSourceChanged(); });
    dispatcher.RoutePower(PBT_APMSUSPEND, [this](LPARAM) { Suspend(); });
    dispatcher.RoutePower(PBT_APMRESUMESUSPEND, [this](LPARAM) { Resume(); });
}

bool CPowerEventsFeature::HasDesktopMode() const
{
    return m_context.capabilities.IsSet(feature_config::kDesktopMode);
}

void CPowerEventsFeature::PowerSourceChanged()
{
    m_parts.batterySaving.PowerSourceChanged();
    if (m_context.osdStyle != feature_config::kStyleK7 && m_onAcPower())
        m_parts.batteryAlerts.CheckBatteryCharging();
    m_parts.brightness.RefreshBrightnessDisplay();
    if (HasDesktopMode()) m_parts.desktopMode.DesktopModeRefresh();
}

void CPowerEventsFeature::Suspend()
{
    m_suspend.Set(true);
    m_parts.launchButton.Suspending();
    m_parts.hibernate.ClearPendingHibernate();
}

void CPowerEventsFeature::Resume()
{
    if (HasDesktopMode()) m_parts.desktopMode.DesktopModeRefresh();
    m_parts.hibernate.ClearPendingHibernate();
    m_parts.launchButton.ResetLaunchButtonExecutor();
    m_reportVersion(1);
    if (!m_context.capabilities.IsSet(feature_config::kNoDelayedMessageQuery))
        m_parts.batteryAlerts.StartDelayedBiosMessageQuery();
    m_parts.batteryAlerts.RefreshBatteryMeter();
    if (m_parts.batterySaving.NeedsPostResumeAnnouncement())
        m_context.dispatcher.StartTimer(TimerId::S3S4Resume, CBatterySavingFeature::kResumeTimerMs);
    if (m_context.osdStyle != feature_config::kStyleK7) m_parts.batteryAlerts.CheckBatteryCharging();
    m_suspend.Set(false);
}
