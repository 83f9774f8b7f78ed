#include "BrightnessDlg1.h"

#include "AlsStatus.h"
#include "OsdDialogControls.h"
#include "OsdResources.h"
#include "OsdTimerIds.h"
#include "SettingNames.h"
#include "TavrinStrings.h"
#include "TextLoader.h"

namespace {

const CDialogFrame::Look kLook{RGB(255, 244, 199), RGB(253, 178, 21), setting_names::kBrightnessDlgX,
                               setting_names::kBrightnessDlgY};
constexpr COLORREF kBarColour = RGB(253, 178, 21);

} // namespace

CBrightnessDlg1::CBrightnessDlg1(const BrightnessDlgParams& params) : CBrightnessDlg(params), m_frame(kLook)
{
    SetWritesAlways(true);
}

CBrightnessDlg1::~CBrightnessDlg1()
{
    Close();
}

BOOL CBrightnessDlg1::OnInitDialog()
{
    CBrightnessDlg::OnInitDialog();
    dialog_controls::SetUpDialogStyle(*this);
    m_frame.SetUp(m_hWnd);
    dialog_controls::SetUpLevelBar(::GetDlgItem(m_hWnd, IDC_OSD_LEVEL_BAR), 0, levelMax, kBarColour);
    const HWND notice = ::GetDlgItem(m_hWnd, IDC_OSD_ALS_TEXT);
    if (ReadAlsEnabled(Bios())) {
        ::SetWindowTextW(notice, texts::LoadSelected(IDS_ALS_DISABLED).c_str());
        ::ShowWindow(notice, SW_SHOWNA);
    } else {
        ::ShowWindow(notice, SW_HIDE);
    }
    return FALSE;
}

void CBrightnessDlg1::ShowLevel(int level)
{
    shownLevel = ClampLevel(level);
    ::SendDlgItemMessageW(m_hWnd, IDC_OSD_LEVEL_BAR, PBM_SETPOS, static_cast<WPARAM>(shownLevel), 0);
    dialog_controls::SetIcon(::GetDlgItem(m_hWnd, IDC_OSD_BRIGHTNESS_ICON),
                             osd_geometry::BrightnessIconFor(shownLevel, levelMax));
    RestartTimer();
}

void CBrightnessDlg1::RestartTimer()
{
    m_timerRunning = SetTimer(OsdTimerNumber(OsdTimerId::BrightnessClose), kOsdCloseMs) != 0;
}

INT_PTR CBrightnessDlg1::DialogMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        ::SetBkColor(reinterpret_cast<HDC>(wp), m_frame.BackgroundColour());
        return reinterpret_cast<INT_PTR>(m_frame.Background());
    default: {
        INT_PTR result = FALSE;
        const auto restart = [this] {
            if (m_timerRunning) RestartTimer();
        };
        if (m_frame.OnMessage(m_hWnd, msg, lp, restart, result)) return result;
        return CBrightnessDlg::DialogMessage(msg, wp, lp);
    }
    }
}

void CBrightnessDlg1::OnTimer(UINT_PTR id)
{
    if (id == OsdTimerNumber(OsdTimerId::BrightnessClose)) Close();
}

void CBrightnessDlg1::OnDestroy()
{
    m_timerRunning = false;
    m_frame.SavePosition(m_hWnd);
    CBrightnessDlg::OnDestroy();
}
