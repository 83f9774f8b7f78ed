#include "BatteryPropertySheet_K7.h"

#include "BatteryOrderDlg_K7.h"
#include "MessageCatalogue.h"
#include "PlatformSeams.h"

#include <commctrl.h>

namespace {

// The power plan's battery subgroup and its low-battery level (percent).
constexpr GUID kBatterySubgroup
    = {0xE73A048D, 0xBF27, 0x4F12, {0x97, 0x31, 0x8B, 0x20, 0x76, 0xE8, 0x89, 0x1F}};
constexpr GUID kLowBatteryLevel
    = {0x8183BA9A, 0xE910, 0x48DA, {0x87, 0x69, 0x14, 0xAE, 0x6D, 0xC1, 0x17, 0x0A}};
constexpr int kDefaultLowLevel = 10;

// The service message's requests to the meter.
constexpr WPARAM kSelectPageByLetter = 3;
constexpr WPARAM kShowDesktopMode = 4;
// The framework command by which the desktop-mode page reads its state again.
constexpr WPARAM kRefreshCommand = 32779;

} // namespace

CBatteryPropertySheet_K7::CBatteryPropertySheet_K7(IBiosCalls& bios, IDeviceTree& tree,
                                                   const CSettings& settings, std::wstring title,
                                                   const CMeterCommandLine& commandLine, DWORD tavrinControl)
    : CBatteryPropertySheet(bios, settings, std::move(title), commandLine,
                            std::make_unique<CBatteryStatusPage_K7>(tree, bios),
                            std::make_unique<CBatteryOrderDlg_K7>(bios, settings),
                            (tavrinControl & kDesktopModeControl) != 0 ? 0 : PSH_NOAPPLYNOW)
    , m_control(tavrinControl)
{
    K7Status().SetLowBatteryLevel(ReadLowBatteryLevel(kDefaultLowLevel));
}

CBatteryPropertySheet_K7::~CBatteryPropertySheet_K7() = default;

CBatteryStatusPage_K7& CBatteryPropertySheet_K7::K7Status()
{
    return static_cast<CBatteryStatusPage_K7&>(Status());
}

int CBatteryPropertySheet_K7::ReadLowBatteryLevel(int fallback)
{
    GUID scheme{};
    if (seams::PowerGetActiveScheme(&scheme) != ERROR_SUCCESS) return fallback;
    DWORD level = 0;
    if (seams::PowerReadValueIndex(seams::PowerSource::Dc, scheme, kBatterySubgroup, kLowBatteryLevel, &level)
        != ERROR_SUCCESS)
        return fallback;
    return level <= 100 ? static_cast<int>(level) : fallback;
}

void CBatteryPropertySheet_K7::OnInitSheet()
{
    CBatteryPropertySheet::OnInitSheet();
    m_serviceMessage = messages::Register(messages::kMyServiceMessage);
    m_lowLevelNotice
        = ::RegisterPowerSettingNotification(m_hWnd, &kLowBatteryLevel, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void CBatteryPropertySheet_K7::OnDestroy()
{
    if (m_lowLevelNotice) ::UnregisterPowerSettingNotification(m_lowLevelNotice);
    m_lowLevelNotice = nullptr;
    CBatteryPropertySheet::OnDestroy();
}

bool CBatteryPropertySheet_K7::OnSheetMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_POWERBROADCAST && wp == PBT_POWERSETTINGCHANGE && lp) {
        const auto& setting = *reinterpret_cast<const POWERBROADCAST_SETTING*>(lp);
        if (::IsEqualGUID(setting.PowerSetting, kLowBatteryLevel)) {
            K7Status().SetLowBatteryLevel(ReadLowBatteryLevel(K7Status().LowBatteryLevel()));
            K7Status().ShowBatteries();
        }
        result = TRUE;
        return true;
    }
    if ((m_control & kDesktopModeControl) != 0 && messages::Matches(msg, m_serviceMessage)) {
        OnServiceMessage(wp, lp);
        result = 0;
        return true;
    }
    return false;
}

void CBatteryPropertySheet_K7::OnServiceMessage(WPARAM request, LPARAM letter)
{
    if (request == kSelectPageByLetter) {
        const auto character = static_cast<wchar_t>(LOWORD(letter));
        if (character == L'D') SelectPage(DesktopModePageIndex());
        if (character == L'H') SelectPage(HealthPageIndex());
    } else if (request == kShowDesktopMode) {
        SelectPage(DesktopModePageIndex());
        const HWND active = reinterpret_cast<HWND>(::SendMessageW(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0));
        if (active) ::PostMessageW(active, WM_COMMAND, kRefreshCommand, 0);
    }
}
