#include "BatteryWarningDlg_K7.h"

#include "TavrinStrings.h"
#include "TextLoader.h"
#include "UniqueHandle.h"

namespace {

constexpr int kChargingHeldOff = 4;
constexpr int kHeightMargin = 60;
constexpr int kBodyLeft = 50;
constexpr int kBodyTop = 10;
constexpr int kBodyRightMargin = 60 - kBodyLeft;
constexpr int kBodyBottomMargin = 30;
constexpr int kLinkFromBottom = 20;

} // namespace

CBatteryWarningDlg_K7::StarredText CBatteryWarningDlg_K7::SplitAtStars(const std::wstring& text)
{
    const size_t first = text.find(L'*');
    const size_t second = first == std::wstring::npos ? first : text.find(L'*', first + 1);
    if (second == std::wstring::npos) return {text, L""};
    const std::wstring link = text.substr(first + 1, second - first - 1);
    return {text.substr(0, first) + link + text.substr(second + 1), link};
}

int CBatteryWarningDlg_K7::HeightFor(int textWidth, int windowWidth, int lineHeight)
{
    if (windowWidth <= 0) return kHeightMargin;
    return textWidth / windowWidth * lineHeight * 2 + kHeightMargin;
}

bool CBatteryWarningDlg_K7::SetUpTexts()
{
    if (Health() != kChargingHeldOff) return CBatteryWarningDlg::SetUpTexts();
    const StarredText texts = SplitAtStars(texts::LoadSelected(IDS_CHARGING_TEMPORARILY_DISABLED));
    m_body.SetText(texts.body);
    m_link.SetText(texts.link);
    ShowIcon(false);
    MeasureTexts(texts);
    return true;
}

void CBatteryWarningDlg_K7::MeasureTexts(const StarredText& texts)
{
    UniqueDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return;
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(m_body.GetSafeHwnd(), WM_GETFONT, 0, 0));
    if (font != nullptr) ::SelectObject(dc.get(), font);
    ::GetTextExtentPoint32W(dc.get(), texts.body.c_str(), static_cast<int>(texts.body.size()), &m_bodyExtent);
    ::GetTextExtentPoint32W(dc.get(), texts.link.c_str(), static_cast<int>(texts.link.size()), &m_linkExtent);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.get(), &metrics);
    m_lineHeight = metrics.tmHeight;
}

void CBatteryWarningDlg_K7::KeepTemplateLayout()
{
    if (m_templateLayoutKept) return;
    for (size_t i = 0; i < m_laidOut.size(); ++i) {
        ::GetWindowRect(m_laidOut[i]->GetSafeHwnd(), &m_templateRects[i]);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&m_templateRects[i]), 2);
    }
    m_templateLayoutKept = true;
}

void CBatteryWarningDlg_K7::Place()
{
    KeepTemplateLayout();
    if (Health() != kChargingHeldOff) {
        // Back to the template's places after a health-4 layout.
        for (size_t i = 0; i < m_laidOut.size(); ++i) {
            const RECT& r = m_templateRects[i];
            ::MoveWindow(m_laidOut[i]->GetSafeHwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top,
                         TRUE);
        }
        CBatteryWarningDlg::Place();
        return;
    }
    const int width = WindowWidth();
    const int height = HeightFor(m_bodyExtent.cx, width, m_lineHeight);
    ::MoveWindow(m_body.GetSafeHwnd(), kBodyLeft, kBodyTop, width - kBodyLeft - kBodyRightMargin,
                 height - kBodyBottomMargin, TRUE);
    const int linkWidth = m_linkExtent.cx + 4;
    ::MoveWindow(m_link.GetSafeHwnd(), kBodyLeft + (width - kBodyLeft - kBodyRightMargin - linkWidth) / 2,
                 height - kLinkFromBottom, linkWidth, m_linkExtent.cy + 2, TRUE);
    PlaceAt(width, height);
}
