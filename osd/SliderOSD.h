#pragma once
#include "DibSection.h"
#include "OsdGeometry.h"

#include <windows.h>

// The slider displays' part: a panel picture centred low on the screen with
// a shaded knob over its level ramp, shown at constant alpha 178 and faded
// from there.
class CSliderOSD {
public:
    CSliderOSD() = default;
    virtual ~CSliderOSD() = default;
    CSliderOSD(const CSliderOSD&) = delete;
    CSliderOSD& operator=(const CSliderOSD&) = delete;

    // Measures the screen and places the window for the panel picture;
    // remembers the sizes of the symbol and plus pictures.
    virtual void PlaceSlider(UINT backgroundId, UINT iconId, UINT plusId);
    // Draws the panel with the knob at `percent` and shows it at full strength.
    virtual void DrawSlider(HWND window, UINT backgroundId, int percent);
    // Shows the last drawing at `percent` of full strength.
    virtual void FadeSlider(HWND window, int percent);

    osd_geometry::OsdRect SliderPlace() const { return {windowLeft, windowTop, windowWidth, windowHeight}; }
    // The desktop is no longer the size the window was placed for.
    bool SliderScreenChanged() const;
    void FreeBackBuffer() { backBuffer.Release(); }
    const CDibSection& BackBuffer() const { return backBuffer; }

protected:
    void SetPlacement(osd_geometry::OsdSize screen, const osd_geometry::OsdRect& window);

    int screenWidth = 0;
    int screenHeight = 0;
    int windowLeft = 0;
    int windowTop = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    POINT trackStart{};
    POINT trackEnd{};
    osd_geometry::OsdSize iconSize;
    osd_geometry::OsdSize plusSize;
    CDibSection backBuffer;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, osd_geometry::kBitmapAlpha, 0};
};
