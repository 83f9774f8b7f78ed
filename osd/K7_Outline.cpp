#include "K7_Outline.h"

#include "OsdDrawing.h"

using namespace osd_geometry;

osd_geometry::OsdSize K7_Outline::MeasureScreen()
{
    const OsdSize screen = osd_drawing::DesktopSize();
    largeSize = IsLargeScreen(screen);
    return screen;
}

BLENDFUNCTION K7_Outline::OutlineBlend(int percent) const
{
    return {AC_SRC_OVER, 0, OutlineFadeAlpha(percent), 0};
}

Gdiplus::ImageAttributes* K7_Outline::KeyAttributes()
{
    // Made at first use: GDI+ runs by then.
    if (!keyAttributes || keyAttributes->GetLastStatus() != Gdiplus::Ok) {
        keyAttributes = std::make_unique<Gdiplus::ImageAttributes>();
        keyAttributes->SetColorKey(Gdiplus::Color(kCornerKey), Gdiplus::Color(kCornerKey));
    }
    return keyAttributes.get();
}

void K7_Outline::DrawOutline(CDibSection& buffer, const OutlinePictures& pictures, const TickRow& row,
                             int tickCount, int litCount)
{
    {
        osd_drawing::CCanvas canvas(buffer);
        if (!canvas.IsReady()) return;
        Gdiplus::ImageAttributes* key = KeyAttributes();
        canvas.DrawPicture(osd_drawing::LoadPicture(pictures.panel).get(), POINT{0, 0}, key);
        canvas.DrawPicture(osd_drawing::LoadPicture(pictures.symbol).get(), OutlineSymbolAt(largeSize), key);
        const auto lit = osd_drawing::LoadPicture(pictures.lit);
        const auto unlit = osd_drawing::LoadPicture(pictures.unlit);
        for (int i = 0; i < tickCount; ++i) {
            const OsdRect tick = row.Tick(i);
            canvas.DrawPicture(i < litCount ? lit.get() : unlit.get(), POINT{tick.x, tick.y}, key);
        }
    }
    osd_drawing::MakeDrawnOpaque(buffer);
}
