#pragma once
#include "OsdDrawing.h"

#include <string>

// The panel style: a translucent blue rounded panel drawn with per-pixel
// alpha, symbols keyed on their own background colour, level marks and a
// line of white text.
namespace panel_drawing {

inline constexpr Gdiplus::ARGB kPanelColour = 0xBF34679A;
inline constexpr Gdiplus::ARGB kStatusPanelColour = 0xBF6579A2;
inline constexpr Gdiplus::ARGB kStatusPanelRim = 0xBF445270;

// The buffer at the panel's per-pixel alpha.
BLENDFUNCTION PanelBlend();
void FillPanel(Gdiplus::Graphics& graphics, int width, int height);
// The status panel (lock keys): a lighter blue, ringed by a 2-pixel darker line.
void FillStatusPanel(Gdiplus::Graphics& graphics, int width, int height);
// The picture without the colour of its pixel (5, 5), or (2, 2) for the small ones.
void DrawKeyedPicture(osd_drawing::CCanvas& canvas, UINT pictureId, POINT at);
// The picture without the colour of its pixel (keyPixel, keyPixel).
void DrawPictureKeyedAt(osd_drawing::CCanvas& canvas, UINT pictureId, POINT at, int keyPixel);
void FillMark(Gdiplus::Graphics& graphics, const osd_geometry::OsdRect& mark, Gdiplus::ARGB colour);
// White 12-point text centred on the panel (11 points when 12 would fill
// it); nothing when no usable font exists.
void DrawCentredText(Gdiplus::Graphics& graphics, const std::wstring& text, int panelWidth, int centreY);

} // namespace panel_drawing
