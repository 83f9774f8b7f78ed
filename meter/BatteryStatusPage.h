#pragma once
#include "BattInfo.h"
#include "BatteryBlock.h"
#include "BatteryChargeControl.h"
#include "BatteryDeviceSet.h"
#include "MeterStatusPage.h"
#include "OSBatteryClass.h"
#include "StatusIcons.h"

#include <string>

class IBiosCalls;

// The classic sheet's status page: the primary and the secondary battery as
// Windows reports them, the total charge, a battery's information from its
// icon, and the Extended Battery Life help.
class CBatteryStatusPage : public CMeterStatusPage {
public:
    CBatteryStatusPage(IDeviceTree& tree, IBiosCalls& bios);

    void RefreshBatteries() override;
    void ShowBatteries() override;

    const BatteryChargeControl& ChargeControl() const { return m_chargeControl; }
    const std::wstring& HelpFile() const { return m_helpFile; }

protected:
    BOOL OnInitDialog() override;
    bool OnSetActive() override;

private:
    void ShowBattery(CBatteryBlock& block, const COSBatteryClass& battery);
    void OpenHelp() const;

    CBatteryDeviceSet m_devices;
    COSBatteryClass m_primary{m_devices};
    COSBatteryClass m_secondary{m_devices};
    BatteryChargeControl m_chargeControl;
    CBattInfo m_info;
    std::wstring m_helpFile;
    std::wstring m_internetExplorerFolder;
    CStatusIcons m_icons;
    CBatteryBlock m_primaryBlock;
    CBatteryBlock m_secondaryBlock;
    CControl m_totalGroup;
    CProgressBar m_total;
    CControl m_totalPercent;
    CControl m_help;
};
