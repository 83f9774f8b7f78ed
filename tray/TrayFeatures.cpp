#include "TrayFeatures.h"

#include "BatteryAlertsFeature.h"
#include "BatterySavingFeature.h"
#include "BrightnessFeature.h"
#include "CompanionApp.h"
#include "DesktopModeFeature.h"
#include "DeviceServicesFeature.h"
#include "DisplaySwitchFeature.h"
#include "HibernateFeature.h"
#include "KeyboardFeature.h"
#include "LaunchButtonFeature.h"
#include "PowerEventsFeature.h"
#include "RadioControlFeature.h"
#include "StatusDisplaysFeature.h"
#include "TrayIconFeature.h"
#include "VolumeFeature.h"

#include <algorithm>

// The displays, workers and executors that the features will drive are
// handed over here as they are built; until then a feature is given none.
CTrayFeatures::CTrayFeatures(const TrayContext& context, const CCompanionApp& companion)
{
    auto& brightness = Add<CBrightnessFeature>(context);
    auto& statusDisplays = Add<CStatusDisplaysFeature>(context);
    Add<CDisplaySwitchFeature>(context, nullptr);
    auto& batteryAlerts = Add<CBatteryAlertsFeature>(context);
    auto& desktopMode = Add<CDesktopModeFeature>(context);
    auto& hibernate = Add<CHibernateFeature>(context, nullptr);
    Add<CDeviceServicesFeature>(context);
    Add<CRadioControlFeature>(context);
    auto& launchButton
        = Add<CLaunchButtonFeature>(context, nullptr, m_suspend, [] { return ::GetTickCount64(); });
    auto& batterySaving
        = Add<CBatterySavingFeature>(context, nullptr, &CBatterySavingFeature::IsInputDesktopAvailable);
    auto& volume = Add<CVolumeFeature>(context, nullptr);
    Add<CKeyboardFeature>(context);
    Add<CPowerEventsFeature>(context,
                             CPowerEventsFeature::Parts{batterySaving, batteryAlerts, brightness, desktopMode,
                                                        hibernate, launchButton},
                             m_suspend);
    auto& trayIcon = Add<CTrayIconFeature>(
        context, CTrayIconFeature::Parts{
                     companion, volume, batterySaving, {&brightness, &statusDisplays, &batteryAlerts}});
    m_trayIcon = &trayIcon;
    m_statusDisplays = &statusDisplays;
}

CTrayFeatures::~CTrayFeatures() = default;

void CTrayFeatures::RegisterRoutes(CTrayDispatcher& dispatcher)
{
    for (auto& feature : m_features) feature->RegisterRoutes(dispatcher);
}

void CTrayFeatures::Start()
{
    for (auto& feature : m_features) feature->Start();
}

void CTrayFeatures::Stop()
{
    std::for_each(m_features.rbegin(), m_features.rend(), [](auto& feature) { feature->Stop(); });
}
