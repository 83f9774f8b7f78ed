#include "BrightnessDlg3.h"

#include "OsdPictures.h"
#include "OsdTimerIds.h"

CBrightnessDlg3::CBrightnessDlg3(const BrightnessDlgParams& params)
    : CBrightnessDlg(params)
    , m_holdFade(*this, OsdTimerNumber(OsdTimerId::BrightnessHold),
                 OsdTimerNumber(OsdTimerId::BrightnessFade))
{}

CBrightnessDlg3::~CBrightnessDlg3()
{
    Close();
}

BOOL CBrightnessDlg3::OnInitDialog()
{
    CBrightnessDlg::OnInitDialog();
    PlaceSlider(IDB_SLIDER_BRIGHTNESS, IDB_OSD_SUN, IDB_OSD_PLUS);
    SetUpLayered(SliderPlace());
    return FALSE;
}

void CBrightnessDlg3::OnShowDisplay()
{
    if (SliderScreenChanged()) PlaceSlider(IDB_SLIDER_BRIGHTNESS_ALT, IDB_OSD_SUN, IDB_OSD_PLUS);
    Replace(SliderPlace());
}

void CBrightnessDlg3::ShowLevel(int level)
{
    shownLevel = ClampLevel(level);
    DrawSlider(m_hWnd, IDB_SLIDER_BRIGHTNESS, shownLevel * 100 / levelMax);
    m_holdFade.Restart();
}

void CBrightnessDlg3::OnTimer(UINT_PTR id)
{
    if (m_holdFade.Step(id, [this](int percent) { FadeSlider(m_hWnd, percent); })) {
        FreeBackBuffer();
        DestroyWindow();
    }
}

void CBrightnessDlg3::OnDestroy()
{
    m_holdFade.Reset();
    FreeBackBuffer();
    CBrightnessDlg::OnDestroy();
}
