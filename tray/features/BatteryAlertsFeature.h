#pragma once
#include "AlertQueryWorker.h"
#include "FeatureComponents.h"
#include "FeatureServices.h"
#include "PowerAlertText.h"
#include "TrayContext.h"
#include "TrayEntry.h"
#include "TrayFeature.h"

#include <string>

// The firmware's adapter, battery and dock alerts and numbered messages, the
// alert query after resume, the battery-health re-check with the battery
// meter's refresh, and the battery-charging dialog.
class CBatteryAlertsFeature : public ITrayFeature,
                              public IBatteryAlerts,
                              public IBatteryMeterLauncher,
                              public IExitDismissal {
public:
    struct Parts {
        IAlertBoxes* boxes = nullptr;
        IBatteryHealthCheck* health = nullptr;
        DWORD queryDelayMs = CAlertQueryWorker::kDelayMs;
        // The numbered texts; none: the tray's own in the user's language.
        power_alert::TextSource text;
        // The classic styles' charging notice; none in the newer style.
        IChargingNotice* charging = nullptr;
    };

    CBatteryAlertsFeature(const TrayContext& context, const Parts& parts);

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;
    // The health warning once the main window exists, for the healths read
    // when the check was built, then the charging notice.
    void Start() override;
    void Stop() override { m_queryWorker.Stop(); }
    void StartDelayedBiosMessageQuery() override { m_startDelayedQuery(); }
    // Lets the next battery-meter key through again.
    void RefreshBatteryMeter() override;
    void CheckBatteryCharging() override { m_checkBatteryCharging(); }
    bool LaunchBatteryMeter(const std::wstring& arguments) override;
    // The charging dialog exists in the classic styles only.
    void HideForExit() override;

    // fromEvent 1: the request as given; 0: asks the firmware for it. 1 when
    // a request was taken (shown or not), 0 when none was pending or the
    // query failed. Any thread.
    int ProcessPowerAlert(int fromEvent, uint32_t code, uint32_t detail, uint32_t flags);

private:
    void Show(AlertBox box, const std::wstring& text);
    // By its title in the user's language.
    HWND FindBatteryMeter() const;

    const TrayContext& m_context;
    Parts m_parts;
    power_alert::TextSource m_text;
    CTrayEntry<int(int fromEvent, uint32_t code, uint32_t detail, uint32_t flags)> m_processPowerAlert;
    CTrayEntry<void(int box)> m_alertAlreadyShown;
    CTrayEntry<void()> m_refreshBatteryStatus;
    CTrayEntry<void()> m_startDelayedQuery;
    CTrayEntry<void()> m_checkBatteryCharging;
    CTrayEntry<void()> m_hideChargingDialog;
    // Last, so that it ends before anything its query uses.
    CAlertQueryWorker m_queryWorker;
};
