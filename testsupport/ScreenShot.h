#pragma once
#include "DibSection.h"

#include <windows.h>

#include <string>

// A rectangle of the screen as the user sees it (layered windows composited
// in), taken from the screen DC, and saved as a PNG for people to look at.
class CScreenShot {
public:
    bool Take(const RECT& place);

    int Width() const { return m_pixels.Width(); }
    int Height() const { return m_pixels.Height(); }
    // Relative to the rectangle taken; CLR_INVALID outside it.
    COLORREF At(int x, int y) const;
    bool SameAs(const CScreenShot& other) const;
    bool Save(const std::wstring& path) const;

private:
    CDibSection m_pixels;
};

// Channels within tolerance of each other (scaling and blending round).
bool Near(COLORREF a, COLORREF b, int tolerance = 10);
// `over` at constant alpha over `under`, as the compositor mixes them.
COLORREF Blend(COLORREF over, COLORREF under, int alpha);
