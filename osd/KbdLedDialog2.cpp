#include "KbdLedDialog2.h"

#include "OsdPictures.h"
#include "OsdTimerIds.h"
#include "PanelDrawing.h"

using namespace osd_geometry;

CKbdLedDialog2::CKbdLedDialog2(const LockKeyChoice& choice, ILockIndicators& indicators, KeyToggled toggled)
    : CKbdLedDialog(choice, indicators, std::move(toggled))
{}

CKbdLedDialog2::~CKbdLedDialog2()
{
    Close();
}

UINT CKbdLedDialog2::PictureFor(LockKey key, bool on) const
{
    switch (key) {
    case LockKey::Caps:
        return on ? IDB_LOCK_CAPS_ON : IDB_LOCK_CAPS_OFF;
    case LockKey::Num:
        return on ? IDB_LOCK_NUM_ON : IDB_LOCK_NUM_OFF;
    case LockKey::Scroll:
        return on ? IDB_LOCK_SCROLL_ON : IDB_LOCK_SCROLL_OFF;
    }
    return 0;
}

UINT CKbdLedDialog2::IndicatorIcon(LockKey key) const
{
    switch (key) {
    case LockKey::Caps:
        return IDI_LOCK_CAPS;
    case LockKey::Num:
        return IDI_LOCK_NUM;
    case LockKey::Scroll:
        return IDI_LOCK_SCROLL;
    }
    return 0;
}

void CKbdLedDialog2::Place()
{
    m_screen = osd_drawing::DesktopSize();
    m_place = PlaceLockPanel(m_screen);
}

BOOL CKbdLedDialog2::OnInitDialog()
{
    CKbdLedDialog::OnInitDialog();
    Place();
    SetUpLayered(m_place);
    return FALSE;
}

void CKbdLedDialog2::OnShowDisplay()
{
    if (!(osd_drawing::DesktopSize() == m_screen)) Place();
    Replace(m_place);
}

// A key the display does not show closes it, unless an earlier key keeps it up.
bool CKbdLedDialog2::Refresh(LockKey key, bool fromBios)
{
    if (RefreshKey(key, fromBios)) return true;
    if (HasWindow() && !m_timerRunning) DestroyWindow();
    return false;
}

void CKbdLedDialog2::Start()
{
    if (!HasWindow()) return;
    if (m_buffer.Create(m_place.width, m_place.height)) {
        {
            osd_drawing::CCanvas canvas(m_buffer);
            if (canvas.IsReady()) {
                panel_drawing::FillStatusPanel(canvas.Graphics(), m_place.width, m_place.height);
                panel_drawing::DrawPictureKeyedAt(canvas, pictureId, kLockPictureAt, kStatusKeyPixel);
            }
        }
        osd_drawing::Present(m_hWnd, m_buffer, {m_place.x, m_place.y}, panel_drawing::PanelBlend(), 0,
                             ULW_ALPHA);
    }
    m_timerRunning = SetTimer(OsdTimerNumber(OsdTimerId::LockKeysClose), kOsdCloseMs) != 0;
}

void CKbdLedDialog2::OnTimer(UINT_PTR id)
{
    if (id == OsdTimerNumber(OsdTimerId::LockKeysClose)) Close();
}

void CKbdLedDialog2::OnDestroy()
{
    m_timerRunning = false;
    m_buffer.Release();
    CKbdLedDialog::OnDestroy();
}
