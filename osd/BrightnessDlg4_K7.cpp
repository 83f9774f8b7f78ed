#include "BrightnessDlg4_K7.h"

#include "OsdDrawing.h"
#include "OsdPictures.h"
#include "OsdTimerIds.h"

using namespace osd_geometry;

CBrightnessDlg4_K7::CBrightnessDlg4_K7(const BrightnessDlgParams& params)
    : CBrightnessDlg(params)
    , m_holdFade(*this, OsdTimerNumber(OsdTimerId::BrightnessHold),
                 OsdTimerNumber(OsdTimerId::BrightnessFade))
{}

CBrightnessDlg4_K7::~CBrightnessDlg4_K7()
{
    Close();
}

void CBrightnessDlg4_K7::PlaceOutline()
{
    const OsdSize screen = MeasureScreen();
    const UINT panel = largeSize ? IDB_K7_PANEL_LARGE : IDB_K7_PANEL_SMALL;
    SetPlacement(screen, PlaceOutlinePanel(screen, osd_drawing::PictureSize(panel)));
}

BOOL CBrightnessDlg4_K7::OnInitDialog()
{
    CBrightnessDlg::OnInitDialog();
    PlaceOutline();
    SetUpLayered(SliderPlace());
    return FALSE;
}

void CBrightnessDlg4_K7::OnShowDisplay()
{
    if (SliderScreenChanged()) PlaceOutline();
    Replace(SliderPlace());
}

void CBrightnessDlg4_K7::ShowLevel(int level)
{
    shownLevel = ClampLevel(level);
    if (backBuffer.Create(windowWidth, windowHeight)) {
        const OutlinePictures pictures
            = largeSize ? OutlinePictures{IDB_K7_PANEL_LARGE, IDB_K7_SUN_LARGE, IDB_K7_TICK_LIT_LARGE,
                                          IDB_K7_TICK_UNLIT_LARGE}
                        : OutlinePictures{IDB_K7_PANEL_SMALL, IDB_K7_SUN_SMALL, IDB_K7_TICK_LIT_SMALL,
                                          IDB_K7_TICK_UNLIT_SMALL};
        DrawOutline(backBuffer, pictures, BrightnessTicks(largeSize), levelMax + 1,
                    LitBrightnessTicks(shownLevel, levelMax));
        FadeOutline(100);
    }
    m_holdFade.Restart();
}

void CBrightnessDlg4_K7::FadeOutline(int percent)
{
    if (backBuffer.IsValid())
        osd_drawing::Present(m_hWnd, backBuffer, {windowLeft, windowTop}, OutlineBlend(percent), 0,
                             kPresentFlags);
}

void CBrightnessDlg4_K7::OnTimer(UINT_PTR id)
{
    if (m_holdFade.Step(id, [this](int percent) { FadeOutline(percent); })) {
        FreeBackBuffer();
        DestroyWindow();
    }
}

void CBrightnessDlg4_K7::OnDestroy()
{
    m_holdFade.Reset();
    FreeBackBuffer();
    CBrightnessDlg::OnDestroy();
}
