#include "KbdLedDialog3.h"

#include "OsdDrawing.h"
#include "OsdPictures.h"
#include "OsdTimerIds.h"

CKbdLedDialog3::CKbdLedDialog3(const LockKeyChoice& choice, ILockIndicators& indicators, KeyToggled toggled)
    : CKbdLedDialog(choice, indicators, std::move(toggled))
    , m_holdFade(*this, OsdTimerNumber(OsdTimerId::LockKeysHold), OsdTimerNumber(OsdTimerId::LockKeysFade))
{}

CKbdLedDialog3::~CKbdLedDialog3()
{
    Close();
}

UINT CKbdLedDialog3::PictureFor(LockKey key, bool on) const
{
    switch (key) {
    case LockKey::Caps:
        return on ? IDB_TILE_CAPS_ON : IDB_TILE_CAPS_OFF;
    case LockKey::Num:
        return on ? IDB_TILE_NUM_ON : IDB_TILE_NUM_OFF;
    case LockKey::Scroll:
        break;
    }
    return 0;
}

UINT CKbdLedDialog3::IndicatorIcon(LockKey key) const
{
    switch (key) {
    case LockKey::Caps:
        return IDI_LOCK_CAPS_TILE;
    case LockKey::Num:
        return IDI_LOCK_NUM_TILE;
    case LockKey::Scroll:
        break;
    }
    return 0;
}

void CKbdLedDialog3::PlaceDisplay()
{
    PlaceBitmap(IDB_TILE_CAPS_ON);
}

bool CKbdLedDialog3::ScreenChanged() const
{
    const osd_geometry::OsdSize screen = osd_drawing::DesktopSize();
    return screen.width != screenWidth || screen.height != screenHeight;
}

BOOL CKbdLedDialog3::OnInitDialog()
{
    CKbdLedDialog::OnInitDialog();
    PlaceDisplay();
    SetUpLayered(DisplayPlace());
    return FALSE;
}

void CKbdLedDialog3::OnShowDisplay()
{
    if (ScreenChanged()) PlaceDisplay();
    Replace(DisplayPlace());
}

bool CKbdLedDialog3::Refresh(LockKey key, bool fromBios)
{
    return RefreshKey(key, fromBios);
}

// The indicator follows the key once more as the display starts.
void CKbdLedDialog3::Start()
{
    if (!HasWindow()) return;
    DrawDisplay();
    UpdateIndicator(shownKey, shownOn);
    m_holdFade.Restart();
}

void CKbdLedDialog3::DrawDisplay()
{
    DrawBitmap(m_hWnd, pictureId);
}

void CKbdLedDialog3::FadeDisplay(int percent)
{
    FadeBitmap(m_hWnd, percent);
}

void CKbdLedDialog3::OnTimer(UINT_PTR id)
{
    if (m_holdFade.Step(id, [this](int percent) { FadeDisplay(percent); })) {
        FreeBackBuffer();
        DestroyWindow();
    }
}

void CKbdLedDialog3::OnDestroy()
{
    m_holdFade.Reset();
    FreeBackBuffer();
    CKbdLedDialog::OnDestroy();
}
