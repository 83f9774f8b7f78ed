#include "BatteryBlock.h"

#include "BatteryStrings.h"
#include "MeterDisplay.h"
#include "MeterIds.h"
#include "MeterTexts.h"
#include "StatusIcons.h"

#include <windows.h>

CBatteryBlock::CBatteryBlock(CDialog& page, UINT firstId, bool iconIsButton)
    : m_iconIsButton(iconIsButton)
    , m_group(page, firstId + IDC_BLOCK_GROUP)
    , m_icon(page, firstId + IDC_BLOCK_ICON)
    , m_label(page, firstId + IDC_BLOCK_LABEL)
    , m_status(page, firstId + IDC_BLOCK_STATUS)
    , m_progress(page, firstId + IDC_BLOCK_PROGRESS)
    , m_percent(page, firstId + IDC_BLOCK_PERCENT)
    , m_timeLabel(page, firstId + IDC_BLOCK_TIME_LABEL)
    , m_time(page, firstId + IDC_BLOCK_TIME)
{}

void CBatteryBlock::SetTexts(UINT groupText)
{
    m_group.SetText(meter_texts::Text(groupText));
    m_label.SetText(meter_texts::Text(IDS_BATTERY_STATUS));
}

void CBatteryBlock::Show(const Values& values, const CStatusIcons& icons)
{
    ShowControls(true);
    m_progress.SetPosition(values.percent);
    m_percent.SetText(meter_display::PercentText(values.percent));
    m_status.SetText(meter_texts::Text(values.statusText));
    SetIcon(icons.Icon(values.icon));
    if (values.chargeTime) {
        m_timeLabel.SetText(meter_texts::Text(IDS_CHARGE_TIME));
        m_time.SetText(meter_display::MinutesText(values.minutes, meter_texts::Text(IDS_MINUTE),
                                                  meter_texts::Text(IDS_MINUTES)));
    } else {
        m_timeLabel.SetText(L"");
        m_time.SetText(L"");
    }
}

void CBatteryBlock::ShowAbsent(const CStatusIcons* icons)
{
    ShowControls(false);
    if (icons != nullptr) {
        SetIcon(icons->Icon(meter_display::kAbsent));
        m_icon.Show(true);
    }
    m_status.SetText(L"");
    m_percent.SetText(L"");
    m_timeLabel.SetText(L"");
    m_time.SetText(L"");
    m_progress.SetPosition(0);
}

void CBatteryBlock::SetIcon(HICON icon)
{
    if (m_iconIsButton)
        ::SendMessageW(m_icon.GetSafeHwnd(), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    else
        ::SendMessageW(m_icon.GetSafeHwnd(), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void CBatteryBlock::ShowControls(bool show)
{
    for (CControl* control : {&m_icon, &m_label, &m_status, static_cast<CControl*>(&m_progress), &m_percent,
                              &m_timeLabel, &m_time})
        control->Show(show);
}
