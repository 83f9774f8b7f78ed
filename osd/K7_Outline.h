#pragma once
#include "DibSection.h"
#include "OsdGeometry.h"

#include <windows.h>
#include <ole2.h>
#include <gdiplus.h>

#include <memory>

// The outline displays' part: pictures in two size classes whose rounded
// corners are marked in one yellow; drawn through a colour key that skips
// that yellow, the corners stay 0 in the cleared buffer, and the window's
// colour key 0 cuts them out.
class K7_Outline {
public:
    // The yellow of the corners (alpha is not compared).
    static constexpr Gdiplus::ARGB kCornerKey = 0xBFFFF200;
    static constexpr DWORD kPresentFlags = ULW_COLORKEY | ULW_ALPHA;

    K7_Outline() = default;
    K7_Outline(const K7_Outline&) = delete;
    K7_Outline& operator=(const K7_Outline&) = delete;

    // The desktop size, and the size class that goes with it.
    osd_geometry::OsdSize MeasureScreen();
    // Source-over at constant alpha 191 scaled by percent, no per-pixel alpha.
    BLENDFUNCTION OutlineBlend(int percent) const;
    bool IsLarge() const { return largeSize; }

protected:
    // One level display: the panel, its symbol and a row of marks of which
    // the first `litCount` are lit.
    struct OutlinePictures {
        UINT panel = 0;
        UINT symbol = 0;
        UINT lit = 0;
        UINT unlit = 0;
    };
    void DrawOutline(CDibSection& buffer, const OutlinePictures& pictures, const osd_geometry::TickRow& row,
                     int tickCount, int litCount);
    Gdiplus::ImageAttributes* KeyAttributes();

    std::unique_ptr<Gdiplus::ImageAttributes> keyAttributes;
    bool largeSize = false;
};
