#include "ShowBitmap.h"

#include "OsdDrawing.h"

using namespace osd_geometry;

namespace {

// Only a taskbar the system reports with a real rectangle can be avoided.
std::optional<RECT> TaskbarRect()
{
    const HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    RECT place{};
    if (!taskbar || !::GetWindowRect(taskbar, &place) || ::IsRectEmpty(&place)) return std::nullopt;
    return place;
}

} // namespace

void CShowBitmap::PlaceBitmap(UINT pictureId)
{
    const OsdSize screen = osd_drawing::DesktopSize();
    const OsdSize picture = osd_drawing::PictureSize(pictureId);
    screenWidth = screen.width;
    screenHeight = screen.height;
    pictureWidth = picture.width;
    pictureHeight = picture.height;
    const OsdRect place = osd_geometry::PlaceBitmap(screen, picture, TaskbarRect());
    windowLeft = place.x;
    windowTop = place.y;
    displayWidth = place.width;
    displayHeight = place.height;
}

void CShowBitmap::DrawBitmap(HWND window, UINT pictureId)
{
    if (!backBuffer.Create(displayWidth, displayHeight)) return;
    {
        osd_drawing::CCanvas canvas(backBuffer);
        if (!canvas.IsReady()) return;
        canvas.Graphics().SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        canvas.DrawPicture(osd_drawing::LoadPicture(pictureId).get(), {0, 0, displayWidth, displayHeight});
    }
    backBuffer.MakeOpaque();
    blend.SourceConstantAlpha = kBitmapAlpha;
    osd_drawing::Present(window, backBuffer, {windowLeft, windowTop}, blend, 0, ULW_ALPHA);
}

void CShowBitmap::FadeBitmap(HWND window, int percent)
{
    if (!backBuffer.IsValid()) return;
    blend.SourceConstantAlpha = BitmapFadeAlpha(percent);
    osd_drawing::Present(window, backBuffer, {windowLeft, windowTop}, blend, 0, ULW_ALPHA);
}
