#include "TrayFeatures.h"

#include "AlertBoxes.h"
#include "AlertQueryWorker.h"
#include "BattChargingDlg.h"
#include "TrayWindow.h"
#include "BatteryAlertsFeature.h"
#include "BatteryHealthCheck.h"
#include "BatteryWarningDlg.h"
#include "BatteryWarningDlg_K7.h"
#include "BatterySavingFeature.h"
#include "BrightnessFeature.h"
#include "CompanionApp.h"
#include "DesktopModeFeature.h"
#include "DeviceServicesFeature.h"
#include "DisplaySwitchFeature.h"
#include "Hibernate.h"
#include "HibernateFeature.h"
#include "KeyboardFeature.h"
#include "HwConfigBlock.h"
#include "LaunchButtonFeature.h"
#include "Pellick.h"
#include "PowerEventsFeature.h"
#include "RadioControlFeature.h"
#include "RadioDisplayFeature.h"
#include "StatusDisplaysFeature.h"
#include "TrayAudio.h"
#include "FeatureConfig.h"
#include "TrayIconFeature.h"
#include "VolumeFeature.h"

#include <algorithm>

namespace {

constexpr int kKeepMuteOnVolumeDown = 13;

// Windows 8 shows the volume itself: the tray then has no audio object.
std::unique_ptr<IAudioEndpoint> MakeAudio(const TrayContext& context, const DisplayFlags& displayFlags)
{
    const CCapabilitySet& capabilities = context.capabilities;
    if (!capabilities.IsSet(feature_config::kWindows7) && !capabilities.IsSet(feature_config::kWindowsVista))
        return nullptr;
    return std::make_unique<CTrayAudio>(context.osdStyle == feature_config::kStyleK7,
                                        displayFlags.volume != 0, capabilities.IsSet(kKeepMuteOnVolumeDown));
}

// The newer style has its own pop-up; the meter is started through the
// alerts feature, which is built after it.
std::unique_ptr<CBatteryWarningDlg> MakeHealthPopup(int osdStyle,
                                                    CBatteryWarningDlg::MeterLauncher launchMeter)
{
    if (osdStyle == feature_config::kStyleK7)
        return std::make_unique<CBatteryWarningDlg_K7>(std::move(launchMeter));
    return std::make_unique<CBatteryWarningDlg>(std::move(launchMeter));
}

} // namespace

// The displays, workers and executors that the features will drive are
// handed over here as they are built; until then a feature is given none.
CTrayFeatures::CTrayFeatures(const TrayContext& context, const CCompanionApp& companion,
                             std::unique_ptr<IHibernateWorker> hibernateWorker,
                             std::unique_ptr<IAlertBoxes> alertBoxes)
    : m_hibernate(std::move(hibernateWorker)), m_alertBoxes(std::move(alertBoxes))
{
    m_displayFlags.Load();
    if (!m_hibernate) m_hibernate = std::make_unique<CHibernate>(context.forwarder);
    if (!m_alertBoxes) {
        ITrayWindow& window = context.window;
        m_alertBoxes = std::make_unique<CAlertBoxes>([&window] { return window.Handle(); });
    }
    if (context.hardwareFeature(hwfeature::kLaunchButton))
        m_launchButton = std::make_unique<CPellick>(context.bios);
    auto& brightness = Add<CBrightnessFeature>(context, m_displayFlags);
    auto& statusDisplays = Add<CStatusDisplaysFeature>(context);
    auto& radioDisplay = Add<CRadioDisplayFeature>(context, m_displayFlags);
    Add<CDisplaySwitchFeature>(context, nullptr);
    m_healthPopup = MakeHealthPopup(context.osdStyle, [this](const std::wstring& arguments) {
        if (m_batteryAlerts != nullptr) m_batteryAlerts->LaunchBatteryMeter(arguments);
    });
    m_health = std::make_unique<CBatteryHealthCheck>(context.bios, m_settings, *m_healthPopup);
    if (context.osdStyle != feature_config::kStyleK7)
        m_chargingNotice = std::make_unique<CBattChargingDlg>(
            context.bios,
            [this] {
                if (m_batteryAlerts != nullptr) m_batteryAlerts->LaunchBatteryMeter(L"");
            },
            &CBatterySavingFeature::IsInputDesktopAvailable);
    auto& batteryAlerts = Add<CBatteryAlertsFeature>(
        context, CBatteryAlertsFeature::Parts{m_alertBoxes.get(),
                                              m_health.get(),
                                              CAlertQueryWorker::ConfiguredDelay(),
                                              {},
                                              m_chargingNotice.get()});
    m_batteryAlerts = &batteryAlerts;
    auto& desktopMode = Add<CDesktopModeFeature>(context);
    auto& hibernate = Add<CHibernateFeature>(context, m_hibernate.get());
    Add<CDeviceServicesFeature>(context);
    Add<CRadioControlFeature>(context);
    auto& launchButton = Add<CLaunchButtonFeature>(context, m_launchButton.get(), m_suspend,
                                                   [] { return ::GetTickCount64(); });
    auto& batterySaving
        = Add<CBatterySavingFeature>(context, nullptr, &CBatterySavingFeature::IsInputDesktopAvailable);
    auto& volume = Add<CVolumeFeature>(context, m_displayFlags, MakeAudio(context, m_displayFlags));
    Add<CKeyboardFeature>(context);
    Add<CPowerEventsFeature>(context,
                             CPowerEventsFeature::Parts{batterySaving, batteryAlerts, brightness, desktopMode,
                                                        hibernate, launchButton},
                             m_suspend);
    auto& trayIcon = Add<CTrayIconFeature>(
        context,
        CTrayIconFeature::Parts{
            companion, volume, m_displayFlags, batterySaving, {&brightness, &radioDisplay, &batteryAlerts}});
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
