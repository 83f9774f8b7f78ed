#include "BattChargingDlg.h"

#include "TavrinResources.h"
#include "TavrinStrings.h"
#include "TextLoader.h"
#include "TimerIds.h"

#include <algorithm>

namespace {

constexpr int kMargin = 7;
constexpr int kMinimumWidth = 250;
constexpr int kNarrowBelow = 236;
constexpr int kCornerEllipse = 10;
constexpr int kLinkHeight = 14;
constexpr int kLinkWeight = 400;

SIZE TextExtent(HFONT font, const std::wstring& text)
{
    SIZE extent{};
    UniqueDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return extent;
    if (font != nullptr) ::SelectObject(dc.get(), font);
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    return extent;
}

HFONT FontOf(HWND control)
{
    return reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
}

int AverageCharWidth(HFONT font)
{
    UniqueDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return 0;
    if (font != nullptr) ::SelectObject(dc.get(), font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.get(), &metrics);
    return metrics.tmAveCharWidth;
}

} // namespace

CBattChargingDlg::CBattChargingDlg(IBiosCalls& bios, MeterLauncher launchMeter,
                                   DesktopCheck inputDesktopAvailable)
    : CDialog(IDD_BATTERY_CHARGING)
    , m_chargeControl(bios)
    , m_launchMeter(std::move(launchMeter))
    , m_inputDesktopAvailable(std::move(inputDesktopAvailable))
    , m_icon(*this, IDC_BATTERY_CHARGING_ICON)
    , m_text(*this, IDC_BATTERY_CHARGING_TEXT)
    , m_link(*this, IDC_BATTERY_CHARGING_LINK)
    , m_background(::CreateSolidBrush(kBackground))
{
    OnCommandId(IDC_BATTERY_CHARGING_LINK, [this](UINT code) {
        if (code == STN_CLICKED) OpenMeter();
    });
    OnColorId(IDC_BATTERY_CHARGING_TEXT, [this](HDC dc) {
        ::SetTextColor(dc, kTextColour);
        ::SetBkColor(dc, kBackground);
        return static_cast<HBRUSH>(m_background.get());
    });
    OnColorId(IDC_BATTERY_CHARGING_ICON, [this](HDC dc) {
        ::SetBkColor(dc, kBackground);
        return static_cast<HBRUSH>(m_background.get());
    });
}

void CBattChargingDlg::CheckAndShow()
{
    int state = BatteryChargeControl::kEnabled;
    if (!m_chargeControl.Supported() || !m_chargeControl.Read(state)
        || state != BatteryChargeControl::kDisabled)
        return;
    if (IsOpen())
        Present();
    else
        CreateModeless(nullptr);
}

CBattChargingDlg::Layout CBattChargingDlg::LayoutFor(SIZE text, int averageCharWidth, SIZE icon,
                                                     const RECT& screen)
{
    const int height = std::max(3 * text.cy, icon.cy * 3 / 2) + 4;
    const int content = icon.cx * 6 / 5 + (text.cx + averageCharWidth) * 6 / 5;
    const int width = content < kNarrowBelow ? kMinimumWidth : 14 + content;
    return {{width, height}, {screen.right - width * 5 / 4, screen.bottom - 3 * height}};
}

BOOL CBattChargingDlg::OnInitDialog()
{
    m_icon.SetIcon(::LoadIconW(nullptr, IDI_WARNING));
    m_link.SetLink(true);
    m_link.SetFont(L"Tahoma", kLinkHeight, kLinkWeight);
    Present();
    return FALSE;
}

void CBattChargingDlg::Present()
{
    KillTimer(TimerNumber(TimerId::BatteryChargingClose));
    m_text.SetText(texts::LoadSelected(IDS_CHARGING_DISABLED));
    m_link.SetText(texts::LoadSelected(IDS_SHOW_SETTINGS));
    Arrange();
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    SetTimer(TimerNumber(TimerId::BatteryChargingDesktopWait), kDesktopCheckMs);
}

void CBattChargingDlg::Arrange()
{
    const HWND text = m_text.GetSafeHwnd();
    const HWND link = m_link.GetSafeHwnd();
    const HFONT textFont = FontOf(text);
    const SIZE textSize = TextExtent(textFont, texts::LoadSelected(IDS_CHARGING_DISABLED));
    const SIZE linkSize = TextExtent(m_link.Font(), texts::LoadSelected(IDS_SHOW_SETTINGS));
    const SIZE icon{::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)};
    RECT screen{};
    ::GetWindowRect(::GetDesktopWindow(), &screen);
    const Layout layout = LayoutFor(textSize, AverageCharWidth(textFont), icon, screen);
    const int height = layout.window.cy;
    const int left = kMargin + icon.cx * 6 / 5;
    const int textWidth = layout.window.cx - left - kMargin;
    ::MoveWindow(m_icon.GetSafeHwnd(), kMargin, (height - icon.cy) / 2, icon.cx, icon.cy, TRUE);
    ::MoveWindow(text, left, height / 2 - textSize.cy, textWidth, textSize.cy, TRUE);
    ::MoveWindow(link, left, height / 2 + 2, std::min<int>(linkSize.cx + 4, textWidth), linkSize.cy + 2,
                 TRUE);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, layout.origin.x, layout.origin.y, layout.window.cx, height,
                   SWP_NOACTIVATE);
    // The system owns the region once it is set.
    ::SetWindowRgn(
        m_hWnd, ::CreateRoundRectRgn(0, 0, layout.window.cx + 1, height + 1, kCornerEllipse, kCornerEllipse),
        TRUE);
}

INT_PTR CBattChargingDlg::DialogMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_CTLCOLORDLG) return reinterpret_cast<INT_PTR>(m_background.get());
    return CDialog::DialogMessage(msg, wp, lp);
}

void CBattChargingDlg::OnTimer(UINT_PTR id)
{
    if (id == TimerNumber(TimerId::BatteryChargingDesktopWait)) {
        if (m_inputDesktopAvailable && !m_inputDesktopAvailable()) return;
        KillTimer(id);
        SetTimer(TimerNumber(TimerId::BatteryChargingClose), kDisplayMs);
    } else if (id == TimerNumber(TimerId::BatteryChargingClose)) {
        Hide();
    }
}

void CBattChargingDlg::OpenMeter()
{
    if (m_launchMeter) m_launchMeter();
    Hide();
}

void CBattChargingDlg::Hide()
{
    if (!IsOpen()) return;
    KillTimer(TimerNumber(TimerId::BatteryChargingDesktopWait));
    KillTimer(TimerNumber(TimerId::BatteryChargingClose));
    ::ShowWindow(m_hWnd, SW_HIDE);
}
