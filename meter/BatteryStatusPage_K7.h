#pragma once
#include "BatteryBlock.h"
#include "BatteryChargeControl.h"
#include "BatteryDeviceSet.h"
#include "MeterStatusPage.h"
#include "OSBatteryClass.h"
#include "StatusIcons.h"

class IBiosCalls;

// The K7 sheet's status page: the primary battery with the ten-icon table
// and the total charge.
class CBatteryStatusPage_K7 : public CMeterStatusPage {
public:
    CBatteryStatusPage_K7(IDeviceTree& tree, IBiosCalls& bios);

    void RefreshBatteries() override;
    void ShowBatteries() override;

    // The power plan's low-battery level in percent, below which a
    // discharging battery shows the low icon.
    void SetLowBatteryLevel(int percent) { m_lowLevel = percent; }
    int LowBatteryLevel() const { return m_lowLevel; }
    const BatteryChargeControl& ChargeControl() const { return m_chargeControl; }

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;

private:
    CBatteryDeviceSet m_devices;
    COSBatteryClass m_primary{m_devices};
    COSBatteryClass m_secondary{m_devices};
    BatteryChargeControl m_chargeControl;
    int m_lowLevel = 10;
    CStatusIcons m_icons;
    CBatteryBlock m_primaryBlock;
    CControl m_totalGroup;
    CProgressBar m_total;
    CControl m_totalPercent;
};
