#include "RadioDlg3.h"

#include "OsdDrawing.h"
#include "OsdPictures.h"
#include "OsdTimerIds.h"

CRadioDlg3::CRadioDlg3(const RadioDlgParams& params)
    : CRadioDlg(params)
    , m_holdFade(*this, OsdTimerNumber(OsdTimerId::RadioHold), OsdTimerNumber(OsdTimerId::RadioFade))
{}

CRadioDlg3::~CRadioDlg3()
{
    Close();
}

BOOL CRadioDlg3::OnInitDialog()
{
    CRadioDlg::OnInitDialog();
    BeginSelector();
    PlaceBitmap(IDB_RADIO_TILES_ON);
    SetUpLayered(BitmapPlace());
    return FALSE;
}

void CRadioDlg3::OnShowDisplay()
{
    const osd_geometry::OsdSize screen = osd_drawing::DesktopSize();
    if (screen.width != screenWidth || screen.height != screenHeight) PlaceBitmap(IDB_RADIO_TILES_ON);
    Replace(BitmapPlace());
}

void CRadioDlg3::Refresh()
{
    ReadFlags();
}

void CRadioDlg3::Start()
{
    DrawBitmap(m_hWnd, pictureId);
    m_holdFade.Restart();
}

void CRadioDlg3::OnTimer(UINT_PTR id)
{
    if (m_holdFade.Step(id, [this](int percent) { FadeBitmap(m_hWnd, percent); })) {
        FreeBackBuffer();
        DestroyWindow();
        ApplyChoice();
    }
}

void CRadioDlg3::OnDestroy()
{
    m_holdFade.Reset();
    FreeBackBuffer();
    CRadioDlg::OnDestroy();
}
