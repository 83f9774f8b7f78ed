#include "BattInfo.h"

#include "BatteryStrings.h"
#include "MeterIds.h"
#include "MeterTexts.h"
#include "OSBatteryClass.h"

CBattInfo::CBattInfo() : CDialog(IDD_BATTERY_INFO) {}

INT_PTR CBattInfo::Show(HWND owner, const COSBatteryClass& battery)
{
    m_values[0] = battery.Name();
    m_values[1] = battery.Identifier();
    m_values[2] = battery.Manufacturer();
    m_values[3] = battery.Chemistry();
    return DoModal(owner);
}

BOOL CBattInfo::OnInitDialog()
{
    struct Row {
        int label;
        int value;
        UINT text;
    };
    constexpr Row kRows[] = {
        {IDC_INFO_NAME_LABEL, IDC_INFO_NAME, IDS_INFO_NAME},
        {IDC_INFO_IDENTIFIER_LABEL, IDC_INFO_IDENTIFIER, IDS_INFO_IDENTIFIER},
        {IDC_INFO_MANUFACTURER_LABEL, IDC_INFO_MANUFACTURER, IDS_INFO_MANUFACTURER},
        {IDC_INFO_CHEMISTRY_LABEL, IDC_INFO_CHEMISTRY, IDS_INFO_CHEMISTRY},
    };
    ::SetWindowTextW(m_hWnd, meter_texts::Text(IDS_BATTERY_INFORMATION).c_str());
    for (size_t i = 0; i < std::size(kRows); ++i) {
        ::SetDlgItemTextW(m_hWnd, kRows[i].label, meter_texts::Text(kRows[i].text).c_str());
        ::SetDlgItemTextW(m_hWnd, kRows[i].value, m_values[i].c_str());
    }
    ::SetDlgItemTextW(m_hWnd, IDOK, meter_texts::Text(IDS_CLOSE).c_str());
    return TRUE;
}
