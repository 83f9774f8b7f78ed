#include "BatteryStatusPage_K7.h"

#include "BatteryStrings.h"
#include "Dpi.h"
#include "MeterDisplay.h"
#include "MeterIds.h"
#include "MeterTexts.h"
#include "TotalCharge.h"

CBatteryStatusPage_K7::CBatteryStatusPage_K7(IDeviceTree& tree, IBiosCalls& bios)
    : CMeterStatusPage(IDD_STATUS_K7)
    , m_devices(tree)
    , m_chargeControl(bios)
    , m_primaryBlock(*this, IDC_PRIMARY_BLOCK, false)
    , m_totalGroup(*this, IDC_TOTAL_GROUP)
    , m_total(*this, IDC_TOTAL_PROGRESS)
    , m_totalPercent(*this, IDC_TOTAL_PERCENT)
{
    SetTitle(meter_texts::Text(IDS_BATTERY_STATUS));
}

BOOL CBatteryStatusPage_K7::OnInitDialog()
{
    m_icons.Load(CDpi(m_hWnd).Scale(32));
    m_primaryBlock.SetTexts(IDS_PRIMARY);
    m_totalGroup.SetText(meter_texts::Text(IDS_TOTAL_CHARGE));
    ShowBatteries();
    return TRUE;
}

bool CBatteryStatusPage_K7::OnSetActive()
{
    ShowBatteries();
    return true;
}

void CBatteryStatusPage_K7::RefreshBatteries()
{
    m_primary.Refresh(0);
    m_secondary.Refresh(1);
}

void CBatteryStatusPage_K7::ShowBatteries()
{
    if (!m_hWnd) return;
    const bool found = m_primary.Found() != 0;
    // Extended Battery Life is switched from this page's own controls,
    // which come with its settings; until then it counts as off.
    constexpr bool kEblOn = false;
    if (found) {
        const int status = m_primary.Status();
        CBatteryBlock::Values values;
        values.percent = m_primary.Percent();
        values.statusText = meter_display::K7StatusTextId(status);
        values.icon = meter_display::K7Icon(true, status, values.percent, m_lowLevel, kEblOn);
        values.chargeTime = meter_display::ShowsChargeTime(status, values.percent, m_primary.MinutesToFull());
        values.minutes = m_primary.MinutesToFull();
        m_primaryBlock.Show(values, m_icons);
    } else {
        m_primaryBlock.ShowAbsent(&m_icons);
    }
    const meter_display::Total total
        = meter_display::TotalOf(TotalCharge(), found, m_primary.Percent(), m_secondary.Found() != 0);
    using Kind = meter_display::Total::Kind;
    if (total.kind == Kind::Unchanged) return;
    const bool shown = total.kind == Kind::Shown;
    m_total.Show(shown);
    m_totalPercent.Show(shown);
    if (shown) {
        m_total.SetPosition(total.percent);
        m_totalPercent.SetText(meter_display::PercentText(total.percent));
    }
}
