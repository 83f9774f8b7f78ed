#include "PanelDrawing.h"

namespace panel_drawing {

namespace {

constexpr int kCornerBox = 10;
constexpr UINT kSmallPicture = 15;

} // namespace

BLENDFUNCTION PanelBlend()
{
    return {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
}

namespace {

// The panel's outline: corner arcs of radius 5 joined by its edges.
void PanelPath(Gdiplus::GraphicsPath& path, int width, int height)
{
    const int right = width - 1;
    const int bottom = height - 1;
    path.AddArc(0, 0, kCornerBox, kCornerBox, 180, 90);
    path.AddLine(kCornerBox / 2, 0, right - kCornerBox / 2, 0);
    path.AddArc(right - kCornerBox, 0, kCornerBox, kCornerBox, 270, 90);
    path.AddLine(right, kCornerBox / 2, right, bottom - kCornerBox / 2);
    path.AddArc(right - kCornerBox, bottom - kCornerBox, kCornerBox, kCornerBox, 0, 90);
    path.AddLine(right - kCornerBox / 2, bottom, kCornerBox / 2, bottom);
    path.AddArc(0, bottom - kCornerBox, kCornerBox, kCornerBox, 90, 90);
    path.AddLine(0, bottom - kCornerBox / 2, 0, kCornerBox / 2);
    path.CloseFigure();
}

} // namespace

void FillPanel(Gdiplus::Graphics& graphics, int width, int height)
{
    Gdiplus::GraphicsPath path(Gdiplus::FillModeWinding);
    PanelPath(path, width, height);
    Gdiplus::SolidBrush fill{Gdiplus::Color(kPanelColour)};
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.FillPath(&fill, &path);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeNone);
}

void FillStatusPanel(Gdiplus::Graphics& graphics, int width, int height)
{
    Gdiplus::GraphicsPath path(Gdiplus::FillModeWinding);
    PanelPath(path, width, height);
    Gdiplus::SolidBrush fill{Gdiplus::Color(kStatusPanelColour)};
    Gdiplus::Pen rim{Gdiplus::Color(kStatusPanelRim), 2.0f};
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.FillPath(&fill, &path);
    graphics.DrawPath(&rim, &path);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeNone);
}

void DrawKeyedPicture(osd_drawing::CCanvas& canvas, UINT pictureId, POINT at)
{
    const auto picture = osd_drawing::LoadPicture(pictureId);
    if (!picture) return;
    DrawPictureKeyedAt(canvas, pictureId, at, picture->GetWidth() > kSmallPicture ? 5 : 2);
}

void DrawPictureKeyedAt(osd_drawing::CCanvas& canvas, UINT pictureId, POINT at, int keyPixel)
{
    const auto picture = osd_drawing::LoadPicture(pictureId);
    if (!picture) return;
    const INT keyAt = keyPixel;
    Gdiplus::Color key;
    if (picture->GetPixel(keyAt, keyAt, &key) != Gdiplus::Ok) return;
    Gdiplus::ImageAttributes keyed;
    keyed.SetColorKey(key, key);
    canvas.DrawPicture(picture.get(), at, &keyed);
}

void FillMark(Gdiplus::Graphics& graphics, const osd_geometry::OsdRect& mark, Gdiplus::ARGB colour)
{
    if (mark.width <= 0 || mark.height <= 0) return;
    Gdiplus::SolidBrush fill{Gdiplus::Color(colour)};
    graphics.FillRectangle(&fill, mark.x, mark.y, mark.width, mark.height);
}

void DrawCentredText(Gdiplus::Graphics& graphics, const std::wstring& text, int panelWidth, int centreY)
{
    if (text.empty()) return;
    const auto family = osd_drawing::FindFontFamily({L"Segoe UI", L"Tahoma", L"DejaVu Sans", L"Arial"});
    if (!family) return;
    const Gdiplus::PointF origin(0, 0);
    Gdiplus::RectF bounds;
    auto font
        = std::make_unique<Gdiplus::Font>(family.get(), 12.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPoint);
    graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), font.get(), origin, &bounds);
    if (bounds.Width >= static_cast<Gdiplus::REAL>(panelWidth)) {
        font = std::make_unique<Gdiplus::Font>(family.get(), 11.0f, Gdiplus::FontStyleRegular,
                                               Gdiplus::UnitPoint);
        graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), font.get(), origin, &bounds);
    }
    if (font->GetLastStatus() != Gdiplus::Ok) return;
    Gdiplus::SolidBrush white{Gdiplus::Color(0xFFFFFFFF)};
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    const Gdiplus::PointF at((static_cast<Gdiplus::REAL>(panelWidth) - bounds.Width) / 2,
                             static_cast<Gdiplus::REAL>(centreY) - bounds.Height / 2);
    graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), font.get(), at, &white);
}

} // namespace panel_drawing
