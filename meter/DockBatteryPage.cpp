#include "DockBatteryPage.h"

#include "BatteryStrings.h"
#include "Dpi.h"
#include "MeterDisplay.h"
#include "MeterIds.h"
#include "MeterTexts.h"

#include <algorithm>

CDockBatteryPage::CDockBatteryPage(IBiosCalls& bios)
    : CPropertyPage(IDD_DOCK), m_battery(bios), m_block(*this, IDC_DOCK_BLOCK, false)
{
    SetTitle(meter_texts::Text(IDS_DOCK_BATTERY));
}

bool CDockBatteryPage::Update()
{
    m_battery.Update(CBatteryClass::kDock);
    return Present();
}

BOOL CDockBatteryPage::OnInitDialog()
{
    m_icons.Load(CDpi(m_hWnd).Scale(32));
    m_block.SetTexts(IDS_DOCK_BATTERY);
    ShowBattery();
    return TRUE;
}

bool CDockBatteryPage::OnSetActive()
{
    ShowBattery();
    return true;
}

void CDockBatteryPage::ShowBattery()
{
    if (!m_hWnd) return;
    if (!Present()) {
        m_block.ShowAbsent(&m_icons);
        return;
    }
    // The firmware's percent is a byte; the bar and the text stop at 100.
    const int percent = std::min(m_battery.Percent(), 100);
    const int status = m_battery.Status();
    CBatteryBlock::Values values;
    values.percent = percent;
    values.statusText = meter_display::StatusTextId(status);
    values.icon = meter_display::ClassicIcon(true, status, percent);
    values.chargeTime = meter_display::ShowsChargeTime(status, percent, m_battery.MinutesToFull());
    values.minutes = m_battery.MinutesToFull();
    m_block.Show(values, m_icons);
}
