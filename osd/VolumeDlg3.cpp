#include "VolumeDlg3.h"

#include "OsdPictures.h"
#include "OsdTimerIds.h"

CVolumeDlg3::CVolumeDlg3(HWND owner)
    : CVolumeDlg(owner)
    , m_holdFade(*this, OsdTimerNumber(OsdTimerId::VolumeHold), OsdTimerNumber(OsdTimerId::VolumeFade))
{}

CVolumeDlg3::~CVolumeDlg3()
{
    Close();
}

BOOL CVolumeDlg3::OnInitDialog()
{
    CVolumeDlg::OnInitDialog();
    PlaceSlider(IDB_SLIDER_VOLUME, IDB_OSD_SPEAKER, IDB_OSD_PLUS);
    SetUpLayered(SliderPlace());
    return FALSE;
}

void CVolumeDlg3::OnShowDisplay()
{
    if (SliderScreenChanged()) PlaceSlider(IDB_SLIDER_VOLUME, IDB_OSD_SPEAKER, IDB_OSD_PLUS);
    Replace(SliderPlace());
}

void CVolumeDlg3::ShowVolume(int level, int range, bool muted)
{
    const int percent = range > 0 ? level * kPercentRange / range : 0;
    DrawSlider(m_hWnd, muted ? IDB_SLIDER_VOLUME_MUTED : IDB_SLIDER_VOLUME, percent);
    m_holdFade.Restart();
}

void CVolumeDlg3::OnTimer(UINT_PTR id)
{
    if (m_holdFade.Step(id, [this](int percent) { FadeSlider(m_hWnd, percent); })) {
        FreeBackBuffer();
        DestroyWindow();
    }
}

void CVolumeDlg3::OnDestroy()
{
    m_holdFade.Reset();
    FreeBackBuffer();
    CVolumeDlg::OnDestroy();
}
