#include "VolumeDlg4_K7.h"

#include "OsdDrawing.h"
#include "OsdPictures.h"
#include "OsdTimerIds.h"

using namespace osd_geometry;

CVolumeDlg4_K7::CVolumeDlg4_K7(HWND owner)
    : CVolumeDlg(owner)
    , m_holdFade(*this, OsdTimerNumber(OsdTimerId::VolumeHold), OsdTimerNumber(OsdTimerId::VolumeFade))
{}

CVolumeDlg4_K7::~CVolumeDlg4_K7()
{
    Close();
}

void CVolumeDlg4_K7::PlaceOutline()
{
    const OsdSize screen = MeasureScreen();
    const UINT panel = largeSize ? IDB_K7_PANEL_LARGE : IDB_K7_PANEL_SMALL;
    SetPlacement(screen, PlaceOutlinePanel(screen, osd_drawing::PictureSize(panel)));
}

BOOL CVolumeDlg4_K7::OnInitDialog()
{
    CVolumeDlg::OnInitDialog();
    PlaceOutline();
    SetUpLayered(SliderPlace());
    return FALSE;
}

void CVolumeDlg4_K7::OnShowDisplay()
{
    if (SliderScreenChanged()) PlaceOutline();
    Replace(SliderPlace());
}

void CVolumeDlg4_K7::ShowVolumeSteps(int step, int, bool muted, bool ticksWhileMuted)
{
    if (backBuffer.Create(windowWidth, windowHeight)) {
        OutlinePictures pictures;
        if (largeSize) {
            pictures = {IDB_K7_PANEL_LARGE, IDB_K7_SPEAKER_LARGE, IDB_K7_VOLUME_LIT_LARGE,
                        IDB_K7_VOLUME_UNLIT_LARGE};
            if (muted) pictures.symbol = IDB_K7_SPEAKER_MUTED_LARGE;
        } else {
            pictures = {IDB_K7_PANEL_SMALL, IDB_K7_SPEAKER_SMALL, IDB_K7_VOLUME_LIT_SMALL,
                        IDB_K7_VOLUME_UNLIT_SMALL};
            if (muted) pictures.symbol = IDB_K7_SPEAKER_MUTED_SMALL;
        }
        DrawOutline(backBuffer, pictures, VolumeTicks(largeSize), kVolumeSteps,
                    LitVolumeTicks(step, muted, ticksWhileMuted));
        FadeOutline(100);
    }
    m_holdFade.Restart();
}

void CVolumeDlg4_K7::ShowVolume(int level, int range, bool muted)
{
    const int percent = range > 0 ? level * kPercentRange / range : 0;
    ShowVolumeSteps((percent * kVolumeSteps + 50) / 100, range, muted, false);
}

void CVolumeDlg4_K7::FadeOutline(int percent)
{
    if (backBuffer.IsValid())
        osd_drawing::Present(m_hWnd, backBuffer, {windowLeft, windowTop}, OutlineBlend(percent), 0,
                             kPresentFlags);
}

void CVolumeDlg4_K7::OnTimer(UINT_PTR id)
{
    if (m_holdFade.Step(id, [this](int percent) { FadeOutline(percent); })) {
        FreeBackBuffer();
        DestroyWindow();
    }
}

void CVolumeDlg4_K7::OnDestroy()
{
    m_holdFade.Reset();
    FreeBackBuffer();
    CVolumeDlg::OnDestroy();
}
