#pragma once
#include "FeatureServices.h"
#include "TrayContext.h"
#include "TrayEntry.h"
#include "TrayFeature.h"

// The firmware's requested messages, the battery-health re-check with the
// battery meter's refresh, and the battery-charging dialog.
class CBatteryAlertsFeature : public ITrayFeature, public IBatteryAlerts, public IExitDismissal {
public:
    explicit CBatteryAlertsFeature(const TrayContext& context);

    void RegisterRoutes(CTrayDispatcher& dispatcher) override;
    void StartDelayedBiosMessageQuery() override { m_startDelayedQuery(); }
    // Lets the next battery-meter key through again.
    void RefreshBatteryMeter() override;
    void CheckBatteryCharging() override { m_checkBatteryCharging(); }
    // The charging dialog exists in the classic styles only.
    void HideForExit() override;

private:
    const TrayContext& m_context;
    CTrayEntry<void()> m_queryBiosMessage;
    CTrayEntry<void(uint16_t arg1, uint16_t arg2, uint32_t arg3)> m_showBiosMessage;
    CTrayEntry<void()> m_refreshBatteryHealth;
    CTrayEntry<void()> m_startDelayedQuery;
    CTrayEntry<void()> m_checkBatteryCharging;
    CTrayEntry<void()> m_hideChargingDialog;
};
