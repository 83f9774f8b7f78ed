#include "SliderOSD.h"

#include "OsdDrawing.h"

using namespace osd_geometry;

void CSliderOSD::SetPlacement(OsdSize screen, const OsdRect& window)
{
    screenWidth = screen.width;
    screenHeight = screen.height;
    windowLeft = window.x;
    windowTop = window.y;
    windowWidth = window.width;
    windowHeight = window.height;
}

bool CSliderOSD::SliderScreenChanged() const
{
    return !(osd_drawing::DesktopSize() == OsdSize{screenWidth, screenHeight});
}

void CSliderOSD::PlaceSlider(UINT backgroundId, UINT iconId, UINT plusId)
{
    const OsdSize screen = osd_drawing::DesktopSize();
    iconSize = osd_drawing::PictureSize(iconId);
    plusSize = osd_drawing::PictureSize(plusId);
    const SliderPlacement slider = osd_geometry::PlaceSlider(screen, osd_drawing::PictureSize(backgroundId));
    SetPlacement(screen, slider.window);
    trackStart = slider.trackStart;
    trackEnd = slider.trackEnd;
}

void CSliderOSD::DrawSlider(HWND window, UINT backgroundId, int percent)
{
    if (!backBuffer.Create(windowWidth, windowHeight)) return;
    {
        osd_drawing::CCanvas canvas(backBuffer);
        if (!canvas.IsReady()) return;
        canvas.DrawPicture(osd_drawing::LoadPicture(backgroundId).get(), {0, 0, windowWidth, windowHeight});
        const SliderKnob knob = SliderKnobFor(percent);
        Gdiplus::LinearGradientBrush shade(Gdiplus::Point(knob.gradientFrom.x, knob.gradientFrom.y),
                                           Gdiplus::Point(knob.gradientTo.x, knob.gradientTo.y),
                                           Gdiplus::Color(0xFFFFFFFF), Gdiplus::Color(0xFF000000));
        Gdiplus::Graphics& graphics = canvas.Graphics();
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        graphics.FillEllipse(&shade, knob.box.x, knob.box.y, knob.box.width, knob.box.height);
    }
    // Constant alpha only: the panel is a whole rectangle.
    backBuffer.MakeOpaque();
    blend.SourceConstantAlpha = kBitmapAlpha;
    osd_drawing::Present(window, backBuffer, {windowLeft, windowTop}, blend, 0, ULW_ALPHA);
}

void CSliderOSD::FadeSlider(HWND window, int percent)
{
    if (!backBuffer.IsValid()) return;
    blend.SourceConstantAlpha = BitmapFadeAlpha(percent);
    osd_drawing::Present(window, backBuffer, {windowLeft, windowTop}, blend, 0, ULW_ALPHA);
}
