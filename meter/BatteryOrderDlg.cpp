#include "BatteryOrderDlg.h"

#include "BatteryClass.h"
#include "BatteryStrings.h"
#include "MeterDisplay.h"
#include "MeterIds.h"
#include "MeterTexts.h"

CBatteryOrderDlg::CBatteryOrderDlg(IBiosCalls& bios, const CSettings& settings)
    : CBatteryOrderDlg(IDD_HEALTH, bios, settings, false)
{}

CBatteryOrderDlg::CBatteryOrderDlg(UINT templateId, IBiosCalls& bios, const CSettings& settings, bool k7)
    : CPropertyPage(templateId), CBatteryOrderBase(bios, settings), m_k7(k7)
{
    SetTitle(meter_texts::Text(IDS_HEALTH_TITLE));
}

BOOL CBatteryOrderDlg::OnInitDialog()
{
    ShowHealth();
    return TRUE;
}

bool CBatteryOrderDlg::OnSetActive()
{
    RefreshHealth();
    return true;
}

void CBatteryOrderDlg::RefreshHealth()
{
    QueryHealth();
    ShowHealth();
}

void CBatteryOrderDlg::ShowHealth()
{
    if (!m_hWnd) return;
    const int failure = SelectedBattery() == CBatteryClass::kSecondary ? SecondaryPermanentFailure()
                                                                       : PrimaryPermanentFailure();
    ::SetDlgItemTextW(
        m_hWnd, IDC_HEALTH_TEXT,
        meter_texts::Text(meter_display::HealthTextId(SelectedHealth(), failure, m_k7)).c_str());
}
