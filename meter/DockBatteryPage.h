#pragma once
#include "BatteryBlock.h"
#include "BatteryClass.h"
#include "PropertyPage.h"
#include "StatusIcons.h"

// The dock battery's page, in the sheet while the docking station holds a
// battery: the firmware's view of battery 128.
class CDockBatteryPage : public CPropertyPage {
public:
    explicit CDockBatteryPage(IBiosCalls& bios);

    // Asks the firmware again; true when the dock holds a battery.
    bool Update();
    bool Present() const { return m_battery.Present() != 0; }
    void ShowBattery();

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;

private:
    CBatteryClass m_battery;
    CStatusIcons m_icons;
    CBatteryBlock m_block;
};
