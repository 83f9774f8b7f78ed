#include "BatteryStatusPage.h"

#include "BatteryStrings.h"
#include "Dpi.h"
#include "Language.h"
#include "MeterDisplay.h"
#include "MeterIds.h"
#include "MeterTexts.h"
#include "ModuleFolder.h"
#include "SettingNames.h"
#include "TotalCharge.h"
#include "UniqueHandle.h"

#include <commctrl.h>
#include <shellapi.h>

namespace {

constexpr wchar_t kInternetExplorerKey[]
    = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";

std::optional<std::wstring> InternetExplorerPath()
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kInternetExplorerKey, 0, KEY_QUERY_VALUE, &opened)
        != ERROR_SUCCESS)
        return std::nullopt;
    const UniqueKey key(opened);
    wchar_t path[MAX_PATH] = {};
    DWORD bytes = sizeof(path) - sizeof(wchar_t);
    DWORD type = 0;
    if (::RegQueryValueExW(key.get(), setting_names::kAppPathsPath, nullptr, &type,
                           reinterpret_cast<BYTE*>(path), &bytes)
            != ERROR_SUCCESS
        || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    return std::wstring(path);
}

} // namespace

CBatteryStatusPage::CBatteryStatusPage(IDeviceTree& tree, IBiosCalls& bios)
    : CMeterStatusPage(IDD_STATUS)
    , m_devices(tree)
    , m_chargeControl(bios)
    , m_helpFile(meter_display::HelpFile(ModuleFolder(), language::HelpFolderCode()))
    , m_internetExplorerFolder(meter_display::InternetExplorerFolder(InternetExplorerPath()))
    , m_primaryBlock(*this, IDC_PRIMARY_BLOCK, true)
    , m_secondaryBlock(*this, IDC_SECONDARY_BLOCK, true)
    , m_totalGroup(*this, IDC_TOTAL_GROUP)
    , m_total(*this, IDC_TOTAL_PROGRESS)
    , m_totalPercent(*this, IDC_TOTAL_PERCENT)
    , m_help(*this, IDC_EBL_HELP)
{
    SetTitle(meter_texts::Text(IDS_BATTERY_STATUS));
    OnCommandId(IDC_PRIMARY_ICON, [this](UINT code) {
        if (code == BN_CLICKED) m_info.Show(::GetAncestor(m_hWnd, GA_ROOT), m_primary);
    });
    OnCommandId(IDC_SECONDARY_ICON, [this](UINT code) {
        if (code == BN_CLICKED) m_info.Show(::GetAncestor(m_hWnd, GA_ROOT), m_secondary);
    });
    for (UINT code : {NM_CLICK, NM_RETURN})
        OnNotifyId(IDC_EBL_HELP, code, [this](const NMHDR&) {
            OpenHelp();
            return LRESULT{0};
        });
}

BOOL CBatteryStatusPage::OnInitDialog()
{
    m_icons.Load(CDpi(m_hWnd).Scale(32));
    m_primaryBlock.SetTexts(IDS_PRIMARY);
    m_secondaryBlock.SetTexts(IDS_SECONDARY);
    m_totalGroup.SetText(meter_texts::Text(IDS_TOTAL_CHARGE));
    m_help.SetText(L"<a>" + meter_texts::Text(IDS_EBL_HELP_LINK) + L"</a>");
    ShowBatteries();
    return TRUE;
}

bool CBatteryStatusPage::OnSetActive()
{
    ShowBatteries();
    return true;
}

void CBatteryStatusPage::RefreshBatteries()
{
    m_primary.Refresh(0);
    m_secondary.Refresh(1);
}

void CBatteryStatusPage::ShowBattery(CBatteryBlock& block, const COSBatteryClass& battery)
{
    if (!battery.Found()) {
        block.ShowAbsent();
        return;
    }
    const int status = battery.Status();
    CBatteryBlock::Values values;
    values.percent = battery.Percent();
    values.statusText = meter_display::StatusTextId(status);
    values.icon = meter_display::ClassicIcon(true, status, battery.Percent());
    values.chargeTime = meter_display::ShowsChargeTime(status, battery.Percent(), battery.MinutesToFull());
    values.minutes = battery.MinutesToFull();
    block.Show(values, m_icons);
}

void CBatteryStatusPage::ShowBatteries()
{
    if (!m_hWnd) return;
    ShowBattery(m_primaryBlock, m_primary);
    ShowBattery(m_secondaryBlock, m_secondary);
    const meter_display::Total total = meter_display::TotalOf(TotalCharge(), m_primary.Found() != 0,
                                                              m_primary.Percent(), m_secondary.Found() != 0);
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

void CBatteryStatusPage::OpenHelp() const
{
    const HINSTANCE browser = ::ShellExecuteW(m_hWnd, L"open", L"IEXPLORE.EXE", m_helpFile.c_str(),
                                              m_internetExplorerFolder.c_str(), SW_SHOWNORMAL);
    const auto failure = reinterpret_cast<INT_PTR>(browser);
    if (failure == SE_ERR_FNF)
        ::ShellExecuteW(m_hWnd, L"open", m_helpFile.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
