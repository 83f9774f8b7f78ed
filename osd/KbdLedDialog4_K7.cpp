#include "KbdLedDialog4_K7.h"

#include "OsdDrawing.h"
#include "OsdPictures.h"

using namespace osd_geometry;

CKbdLedDialog4_K7::CKbdLedDialog4_K7(const LockKeyChoice& choice, ILockIndicators& indicators,
                                     KeyToggled toggled)
    : CKbdLedDialog3(choice, indicators, std::move(toggled))
{}

CKbdLedDialog4_K7::~CKbdLedDialog4_K7()
{
    Close();
}

UINT CKbdLedDialog4_K7::PictureFor(LockKey key, bool on) const
{
    switch (key) {
    case LockKey::Caps:
        return on ? (largeSize ? IDB_K7_CAPS_ON_LARGE : IDB_K7_CAPS_ON_SMALL)
                  : (largeSize ? IDB_K7_CAPS_OFF_LARGE : IDB_K7_CAPS_OFF_SMALL);
    case LockKey::Num:
        return on ? (largeSize ? IDB_K7_NUM_ON_LARGE : IDB_K7_NUM_ON_SMALL)
                  : (largeSize ? IDB_K7_NUM_OFF_LARGE : IDB_K7_NUM_OFF_SMALL);
    case LockKey::Scroll:
        break;
    }
    return 0;
}

void CKbdLedDialog4_K7::PlaceDisplay()
{
    m_screen = MeasureScreen();
    const UINT panel = largeSize ? IDB_K7_STATUS_PANEL_LARGE : IDB_K7_STATUS_PANEL_SMALL;
    m_place = PlaceOutlinePicture(m_screen, osd_drawing::PictureSize(panel));
}

bool CKbdLedDialog4_K7::ScreenChanged() const
{
    return !(osd_drawing::DesktopSize() == m_screen);
}

void CKbdLedDialog4_K7::DrawDisplay()
{
    if (!backBuffer.Create(m_place.width, m_place.height)) return;
    {
        osd_drawing::CCanvas canvas(backBuffer);
        if (!canvas.IsReady()) return;
        Gdiplus::ImageAttributes* key = KeyAttributes();
        const UINT panelId = largeSize ? IDB_K7_STATUS_PANEL_LARGE : IDB_K7_STATUS_PANEL_SMALL;
        canvas.DrawPicture(osd_drawing::LoadPicture(panelId).get(), POINT{0, 0}, key);
        const auto picture = osd_drawing::LoadPicture(pictureId);
        if (picture) {
            const OsdSize size{static_cast<int>(picture->GetWidth()), static_cast<int>(picture->GetHeight())};
            canvas.DrawPicture(picture.get(), CentredOn({m_place.width, m_place.height}, size), key);
        }
    }
    osd_drawing::MakeDrawnOpaque(backBuffer);
    FadeDisplay(100);
}

void CKbdLedDialog4_K7::FadeDisplay(int percent)
{
    if (backBuffer.IsValid())
        osd_drawing::Present(m_hWnd, backBuffer, {m_place.x, m_place.y}, OutlineBlend(percent), 0,
                             kPresentFlags);
}
