#include "StatusPanel.h"

namespace status_panel {

namespace {

constexpr int kCornerBox = 10;
constexpr int kKeyPixel = 4;
constexpr Gdiplus::REAL kPenWidth = 2.0f;
constexpr int kInset = 4;

// A closed rounded rectangle from (left, top) to (right, bottom), corner arcs of radius 5.
void AddRounded(Gdiplus::GraphicsPath& path, int left, int top, int right, int bottom)
{
    const int half = kCornerBox / 2;
    path.AddArc(left, top, kCornerBox, kCornerBox, 180, 90);
    path.AddLine(left + half, top, right - half, top);
    path.AddArc(right - kCornerBox, top, kCornerBox, kCornerBox, 270, 90);
    path.AddLine(right, top + half, right, bottom - half);
    path.AddArc(right - kCornerBox, bottom - kCornerBox, kCornerBox, kCornerBox, 0, 90);
    path.AddLine(right - half, bottom, left + half, bottom);
    path.AddArc(left, bottom - kCornerBox, kCornerBox, kCornerBox, 90, 90);
    path.AddLine(left, bottom - half, left, top + half);
    path.CloseFigure();
}

} // namespace

void DrawPanel(Gdiplus::Graphics& graphics, int width, int height)
{
    Gdiplus::GraphicsPath outer(Gdiplus::FillModeWinding);
    AddRounded(outer, 0, 0, width - 1, height - 1);
    Gdiplus::GraphicsPath inner(Gdiplus::FillModeWinding);
    AddRounded(inner, kInset, kInset, width - 1 - kInset, height - 1 - kInset);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    Gdiplus::SolidBrush fill{Gdiplus::Color(kFill)};
    graphics.FillPath(&fill, &outer);
    Gdiplus::Pen outline(Gdiplus::Color(kOutline), kPenWidth);
    graphics.DrawPath(&outline, &outer);
    Gdiplus::Pen line(Gdiplus::Color(kInnerLine), kPenWidth);
    graphics.DrawPath(&line, &inner);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeNone);
}

void DrawSymbol(osd_drawing::CCanvas& canvas, UINT pictureId, POINT at)
{
    const auto picture = osd_drawing::LoadPicture(pictureId);
    if (!picture) return;
    Gdiplus::Color key;
    if (picture->GetPixel(kKeyPixel, kKeyPixel, &key) != Gdiplus::Ok) return;
    Gdiplus::ImageAttributes keyed;
    keyed.SetColorKey(key, key);
    canvas.DrawPicture(picture.get(), at, &keyed);
}

void DrawNumber(Gdiplus::Graphics& graphics, const std::wstring& text, int panelWidth, int centreY)
{
    if (text.empty()) return;
    const auto family = osd_drawing::FindFontFamily({L"Segoe UI", L"Tahoma", L"DejaVu Sans", L"Arial"});
    if (!family) return;
    const Gdiplus::Font font(family.get(), 12.0f, Gdiplus::FontStyleBold, Gdiplus::UnitPoint);
    if (font.GetLastStatus() != Gdiplus::Ok) return;
    Gdiplus::RectF bounds;
    graphics.MeasureString(text.c_str(), static_cast<INT>(text.size()), &font, Gdiplus::PointF(0, 0),
                           &bounds);
    Gdiplus::SolidBrush white{Gdiplus::Color(0xFFFFFFFF)};
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
    const Gdiplus::PointF at((static_cast<Gdiplus::REAL>(panelWidth) - bounds.Width) / 2,
                             static_cast<Gdiplus::REAL>(centreY) - bounds.Height / 2);
    graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), &font, at, &white);
}

} // namespace status_panel
