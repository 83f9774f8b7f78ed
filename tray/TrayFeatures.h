#pragma once
#include "DisplayFlags.h"
#include "FeatureComponents.h"
#include "FeatureServices.h"
#include "Settings.h"
#include "TrayContext.h"
#include "TrayFeature.h"

#include <memory>
#include <vector>

class CBattChargingDlg;
class CBatteryAlertsFeature;
class CBatteryHealthCheck;
class CBatteryWarningDlg;
class CCompanionApp;
class CPellick;
class CStatusDisplaysFeature;
class CTrayIconFeature;

// Every feature of the tray, created from one list in start order and
// stopped in reverse.
class CTrayFeatures {
public:
    // hibernateWorker, alertBoxes: null makes the tray's own.
    CTrayFeatures(const TrayContext& context, const CCompanionApp& companion,
                  std::unique_ptr<IHibernateWorker> hibernateWorker = nullptr,
                  std::unique_ptr<IAlertBoxes> alertBoxes = nullptr);
    ~CTrayFeatures();
    CTrayFeatures(const CTrayFeatures&) = delete;
    CTrayFeatures& operator=(const CTrayFeatures&) = delete;

    void RegisterRoutes(CTrayDispatcher& dispatcher);
    void Start();
    void Stop();

    CTrayIconFeature& TrayIcon() const { return *m_trayIcon; }
    CStatusDisplaysFeature& StatusDisplays() const { return *m_statusDisplays; }

private:
    template <typename Feature, typename... Args>
    Feature& Add(Args&&... args)
    {
        auto feature = std::make_unique<Feature>(std::forward<Args>(args)...);
        Feature& added = *feature;
        m_features.push_back(std::move(feature));
        return added;
    }

    CSuspendState m_suspend;
    // The launch-button executor, on machines with the button; it outlives the features.
    std::unique_ptr<CPellick> m_launchButton;
    std::unique_ptr<IHibernateWorker> m_hibernate;
    // Outlives the features: the alert query worker ends before its boxes go.
    std::unique_ptr<IAlertBoxes> m_alertBoxes;
    // The battery-health pop-up and the check that shows it; they outlive
    // the alerts feature that runs the check.
    CSettings m_settings;
    std::unique_ptr<CBatteryWarningDlg> m_healthPopup;
    std::unique_ptr<CBattChargingDlg> m_chargingNotice;
    std::unique_ptr<CBatteryHealthCheck> m_health;
    CBatteryAlertsFeature* m_batteryAlerts = nullptr;
    // Read before any feature is built; the tray icon's Stop writes the changes.
    DisplayFlags m_displayFlags;
    std::vector<std::unique_ptr<ITrayFeature>> m_features;
    CTrayIconFeature* m_trayIcon = nullptr;
    CStatusDisplaysFeature* m_statusDisplays = nullptr;
};
