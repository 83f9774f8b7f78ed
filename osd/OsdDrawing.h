#pragma once
#include "DibSection.h"
#include "OsdGeometry.h"

#include <windows.h>
#include <ole2.h>
#include <gdiplus.h>

#include <initializer_list>
#include <memory>

// Drawing helpers the displays share: their pictures from the program's
// bitmap resources, GDI+ drawing into a back buffer, and handing the buffer
// to the layered window. A picture or font that is missing draws nothing.
namespace osd_drawing {

// The desktop window's size (the whole primary screen).
osd_geometry::OsdSize DesktopSize();

// A bitmap resource of the program as a GDI+ picture; null when it is
// missing or GDI+ cannot take it.
std::unique_ptr<Gdiplus::Bitmap> LoadPicture(UINT id, HMODULE module = nullptr);
// Its natural size; 0 x 0 when it is missing.
osd_geometry::OsdSize PictureSize(UINT id, HMODULE module = nullptr);

// GDI+ drawing straight into a back buffer's premultiplied pixels.
class CCanvas {
public:
    explicit CCanvas(CDibSection& surface);
    CCanvas(const CCanvas&) = delete;
    CCanvas& operator=(const CCanvas&) = delete;

    // False when there is nothing to draw on (no buffer, or GDI+ refused).
    bool IsReady() const { return m_graphics && m_graphics->GetLastStatus() == Gdiplus::Ok; }
    Gdiplus::Graphics& Graphics() { return *m_graphics; }

    // The picture at its natural size (or stretched to `place`) without
    // smoothing its edges into the buffer; keyed pixels are left as they were.
    void DrawPicture(Gdiplus::Bitmap* picture, const osd_geometry::OsdRect& place,
                     Gdiplus::ImageAttributes* attributes = nullptr);
    void DrawPicture(Gdiplus::Bitmap* picture, POINT at, Gdiplus::ImageAttributes* attributes = nullptr);

private:
    std::unique_ptr<Gdiplus::Bitmap> m_target;
    std::unique_ptr<Gdiplus::Graphics> m_graphics;
};

// The first of the families that the system has; null when none is.
std::unique_ptr<Gdiplus::FontFamily> FindFontFamily(std::initializer_list<const wchar_t*> names);

// Gives the buffer to the layered window at its place.
bool Present(HWND window, const CDibSection& surface, POINT at, const BLENDFUNCTION& blend, COLORREF key,
             DWORD flags);

// Every pixel that was drawn at all becomes fully opaque, so that only the
// pixels left 0 are cut out by the colour key.
void MakeDrawnOpaque(CDibSection& surface);

} // namespace osd_drawing
