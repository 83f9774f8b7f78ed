#include "EjectDialog3.h"

#include "OsdDrawing.h"
#include "OsdPictures.h"
#include "OsdTimerIds.h"

CEjectDialog3::CEjectDialog3()
    : m_holdFade(*this, OsdTimerNumber(OsdTimerId::EjectHold), OsdTimerNumber(OsdTimerId::EjectFade))
{}

CEjectDialog3::~CEjectDialog3()
{
    Close();
}

BOOL CEjectDialog3::OnInitDialog()
{
    CEjectDialog::OnInitDialog();
    PlaceBitmap(IDB_TILE_EJECT);
    SetUpLayered(BitmapPlace());
    return FALSE;
}

void CEjectDialog3::OnShowDisplay()
{
    const osd_geometry::OsdSize screen = osd_drawing::DesktopSize();
    if (screen.width != screenWidth || screen.height != screenHeight) PlaceBitmap(IDB_TILE_EJECT);
    Replace(BitmapPlace());
}

void CEjectDialog3::ShowEject()
{
    if (!HasWindow()) return;
    DrawBitmap(m_hWnd, IDB_TILE_EJECT);
    m_holdFade.Restart();
}

void CEjectDialog3::OnTimer(UINT_PTR id)
{
    if (m_holdFade.Step(id, [this](int percent) { FadeBitmap(m_hWnd, percent); })) {
        FreeBackBuffer();
        DestroyWindow();
    }
}

void CEjectDialog3::OnDestroy()
{
    m_holdFade.Reset();
    FreeBackBuffer();
    CEjectDialog::OnDestroy();
}
