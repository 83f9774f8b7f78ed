#pragma once
#include "DibSection.h"
#include "OsdGeometry.h"

#include <windows.h>

// The bitmap displays' part: one picture near the bottom right corner,
// scaled with the screen, clear of the taskbar, shown at constant alpha 178
// and faded from there.
class CShowBitmap {
public:
    CShowBitmap() = default;
    virtual ~CShowBitmap() = default;
    CShowBitmap(const CShowBitmap&) = delete;
    CShowBitmap& operator=(const CShowBitmap&) = delete;

    virtual void PlaceBitmap(UINT pictureId);
    virtual void DrawBitmap(HWND window, UINT pictureId);
    virtual void FadeBitmap(HWND window, int percent);

    osd_geometry::OsdRect BitmapPlace() const { return {windowLeft, windowTop, displayWidth, displayHeight}; }
    void FreeBackBuffer() { backBuffer.Release(); }

protected:
    int screenWidth = 0;
    int screenHeight = 0;
    int windowLeft = 0;
    int windowTop = 0;
    int pictureHeight = 0;
    int pictureWidth = 0;
    int displayWidth = 0;
    int displayHeight = 0;
    CDibSection backBuffer;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, osd_geometry::kBitmapAlpha, 0};
};
