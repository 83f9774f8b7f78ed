#include "BatteryWarningDlg.h"

#include "BatteryClass.h"
#include "TavrinResources.h"
#include "TavrinStrings.h"
#include "TextLoader.h"
#include "TimerIds.h"

namespace {

constexpr int kReplace = 0;
constexpr int kEndOfLife = 1;
constexpr int kRightMargin = 50;
constexpr int kBottomMargin = 100;
constexpr int kLinkHeight = 14;
constexpr int kLinkWeight = 200;

} // namespace

CBatteryWarningDlg::CBatteryWarningDlg(MeterLauncher launchMeter)
    : CDialog(IDD_BATTERY_WARNING)
    , m_body(*this, IDC_BATTERY_WARNING_TEXT)
    , m_link(*this, IDC_BATTERY_WARNING_LINK)
    , m_launchMeter(std::move(launchMeter))
    , m_replaceIcon(*this, IDC_BATTERY_REPLACE_ICON)
    , m_endOfLifeIcon(*this, IDC_BATTERY_END_OF_LIFE_ICON)
{
    OnCommandId(IDC_BATTERY_WARNING_LINK, [this](UINT code) {
        if (code == STN_CLICKED) OpenMeter();
    });
}

std::wstring CBatteryWarningDlg::MeterArguments(int battery)
{
    return battery == CBatteryClass::kSecondary ? L" S H" : L" P H";
}

void CBatteryWarningDlg::Show(int battery, int health)
{
    m_battery = battery;
    m_health = health;
    if (IsOpen())
        Present();
    else if (CreateModeless(nullptr) && !m_presented)
        // Made for a health it has nothing to say about: not seen.
        ::ShowWindow(m_hWnd, SW_HIDE);
}

BOOL CBatteryWarningDlg::OnInitDialog()
{
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    m_width = window.right - window.left;
    m_height = window.bottom - window.top;
    m_replaceIcon.SetIcon(::LoadIconW(nullptr, IDI_ERROR));
    m_endOfLifeIcon.SetIcon(::LoadIconW(nullptr, IDI_WARNING));
    m_link.SetLink(true);
    m_link.SetFont(L"Tahoma", kLinkHeight, kLinkWeight);
    Present();
    return FALSE;
}

void CBatteryWarningDlg::Present()
{
    m_presented = SetUpTexts();
    if (!m_presented) {
        ::ShowWindow(m_hWnd, SW_HIDE);
        return;
    }
    Place();
    ::ShowWindow(m_hWnd, SW_SHOW);
    SetTimer(TimerNumber(TimerId::BatteryWarningClose), kDisplayMs);
}

bool CBatteryWarningDlg::SetUpTexts()
{
    if (m_health != kReplace && m_health != kEndOfLife) return false;
    m_link.SetText(texts::LoadSelected(IDS_CLICK_FOR_MORE_INFORMATION));
    m_body.SetText(
        texts::LoadSelected(m_health == kReplace ? IDS_BATTERY_NEEDS_REPLACING : IDS_BATTERY_END_OF_LIFE));
    ShowIcon(m_health == kReplace);
    return true;
}

void CBatteryWarningDlg::ShowIcon(bool replace)
{
    m_replaceIcon.Show(replace);
    m_endOfLifeIcon.Show(!replace);
}

void CBatteryWarningDlg::Place()
{
    PlaceAt(m_width, m_height);
}

void CBatteryWarningDlg::PlaceAt(int width, int height)
{
    RECT screen{};
    ::GetWindowRect(::GetDesktopWindow(), &screen);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, screen.right - width - kRightMargin,
                   screen.bottom - height - kBottomMargin, width, height, 0);
}

INT_PTR CBatteryWarningDlg::DialogMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_LBUTTONDBLCLK:
        OpenMeter();
        return TRUE;
    case WM_LBUTTONDOWN:
        // Dragged by its body: it has no caption.
        ::ReleaseCapture();
        SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return TRUE;
    default:
        return CDialog::DialogMessage(msg, wp, lp);
    }
}

void CBatteryWarningDlg::OnTimer(UINT_PTR id)
{
    if (id == TimerNumber(TimerId::BatteryWarningClose)) Close();
}

void CBatteryWarningDlg::OpenMeter()
{
    if (m_launchMeter) m_launchMeter(MeterArguments(m_battery));
    SetTimer(TimerNumber(TimerId::BatteryWarningClose), kCloseNowMs);
}

void CBatteryWarningDlg::Close()
{
    KillTimer(TimerNumber(TimerId::BatteryWarningClose));
    ::ShowWindow(m_hWnd, SW_HIDE);
}
