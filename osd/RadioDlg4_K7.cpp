#include "RadioDlg4_K7.h"

#include "OsdDrawing.h"
#include "OsdPictures.h"
#include "StatusGeometry.h"

using namespace osd_geometry;

CRadioDlg4_K7::CRadioDlg4_K7(const RadioDlgParams& params) : CRadioDlg3(params) {}

CRadioDlg4_K7::~CRadioDlg4_K7()
{
    Close();
}

// The panel decides the place; the picture asked for does not.
void CRadioDlg4_K7::PlaceBitmap(UINT)
{
    const OsdSize screen = MeasureScreen();
    const OsdSize panel = osd_drawing::PictureSize(largeSize ? IDB_K7_PANEL_LARGE : IDB_K7_PANEL_SMALL);
    const OsdRect place = PlaceOutlinePanel(screen, panel);
    screenWidth = screen.width;
    screenHeight = screen.height;
    pictureWidth = panel.width;
    pictureHeight = panel.height;
    windowLeft = place.x;
    windowTop = place.y;
    displayWidth = place.width;
    displayHeight = place.height;
}

void CRadioDlg4_K7::DrawBitmap(HWND window, UINT tile)
{
    if (!backBuffer.Create(displayWidth, displayHeight)) return;
    {
        osd_drawing::CCanvas canvas(backBuffer);
        if (!canvas.IsReady()) return;
        Gdiplus::ImageAttributes* key = KeyAttributes();
        const UINT panelId = largeSize ? IDB_K7_PANEL_LARGE : IDB_K7_PANEL_SMALL;
        canvas.DrawPicture(osd_drawing::LoadPicture(panelId).get(), POINT{0, 0}, key);
        const UINT symbolId = OutlineRadioPicture(tile, largeSize);
        const auto symbol = osd_drawing::LoadPicture(symbolId);
        const POINT at = status_geometry::OutlineRadioSymbolAt({displayWidth, displayHeight},
                                                               osd_drawing::PictureSize(symbolId));
        canvas.DrawPicture(symbol.get(), at, key);
    }
    osd_drawing::MakeDrawnOpaque(backBuffer);
    FadeBitmap(window, 100);
}

void CRadioDlg4_K7::FadeBitmap(HWND window, int percent)
{
    if (backBuffer.IsValid())
        osd_drawing::Present(window, backBuffer, {windowLeft, windowTop}, OutlineBlend(percent), 0,
                             kPresentFlags);
}
