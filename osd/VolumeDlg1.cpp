#include "VolumeDlg1.h"

#include "OsdDialogControls.h"
#include "OsdPictures.h"
#include "OsdResources.h"
#include "OsdTimerIds.h"
#include "SettingNames.h"

#include <commctrl.h>

namespace {

const CDialogFrame::Look kLook{RGB(228, 244, 245), RGB(143, 215, 218), setting_names::kVolumeDlgX,
                               setting_names::kVolumeDlgY};
constexpr COLORREF kBarColour = RGB(72, 192, 210);

} // namespace

CVolumeDlg1::CVolumeDlg1(HWND owner) : CVolumeDlg(owner), m_frame(kLook) {}

CVolumeDlg1::~CVolumeDlg1()
{
    Close();
}

BOOL CVolumeDlg1::OnInitDialog()
{
    CVolumeDlg::OnInitDialog();
    dialog_controls::SetUpDialogStyle(*this);
    m_frame.SetUp(m_hWnd);
    dialog_controls::SetUpLevelBar(::GetDlgItem(m_hWnd, IDC_OSD_LEVEL_BAR), 0, kPercentRange - 1, kBarColour);
    return FALSE;
}

void CVolumeDlg1::ShowVolume(int level, int range, bool muted)
{
    const HWND bar = ::GetDlgItem(m_hWnd, IDC_OSD_LEVEL_BAR);
    const int top = range > 1 ? range - 1 : 1;
    ::SendMessageW(bar, PBM_SETRANGE, 0, MAKELPARAM(0, top));
    ::SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(level), 0);
    dialog_controls::SetIcon(::GetDlgItem(m_hWnd, IDC_OSD_VOLUME_ICON),
                             muted ? IDI_OSD_SPEAKER_MUTED : IDI_OSD_SPEAKER);
    RestartTimer();
}

void CVolumeDlg1::RestartTimer()
{
    m_timerRunning = SetTimer(OsdTimerNumber(OsdTimerId::VolumeHold), kOsdCloseMs) != 0;
}

INT_PTR CVolumeDlg1::DialogMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CTLCOLORDLG:
        return reinterpret_cast<INT_PTR>(m_frame.Background());
    default: {
        INT_PTR result = FALSE;
        const auto restart = [this] {
            if (m_timerRunning) RestartTimer();
        };
        if (m_frame.OnMessage(m_hWnd, msg, lp, restart, result)) return result;
        return CVolumeDlg::DialogMessage(msg, wp, lp);
    }
    }
}

void CVolumeDlg1::OnTimer(UINT_PTR id)
{
    if (id == OsdTimerNumber(OsdTimerId::VolumeHold)) Close();
}

void CVolumeDlg1::OnDestroy()
{
    m_timerRunning = false;
    m_frame.SavePosition(m_hWnd);
    CVolumeDlg::OnDestroy();
}
