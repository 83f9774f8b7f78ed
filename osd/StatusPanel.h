#pragma once
#include "OsdDrawing.h"

#include <string>

// The panel of the radio and keyboard-light displays (per-pixel alpha): a
// translucent slate-blue rounded panel with a dark outline and a lighter
// line inside it, 48-pixel symbols keyed on their own background colour,
// and the keyboard light's level number.
namespace status_panel {

inline constexpr Gdiplus::ARGB kFill = 0xBF6579A2;
inline constexpr Gdiplus::ARGB kOutline = 0xBF445270;
inline constexpr Gdiplus::ARGB kInnerLine = 0xBF576990;
inline constexpr int kSymbolSize = 48;
// The symbols sit this far from the panel's top left corner.
inline constexpr int kMargin = 24;

void DrawPanel(Gdiplus::Graphics& graphics, int width, int height);
// The picture without the colour of its pixel (4, 4).
void DrawSymbol(osd_drawing::CCanvas& canvas, UINT pictureId, POINT at);
// White bold 12-point text centred horizontally, its middle on centreY.
void DrawNumber(Gdiplus::Graphics& graphics, const std::wstring& text, int panelWidth, int centreY);

} // namespace status_panel
