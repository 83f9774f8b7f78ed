#pragma once
#include "MeterDisplay.h"
#include "UniqueHandle.h"

#include <array>

// The ten status icons of a page, loaded at the page's DPI (32 pixels at
// 100 %) and given back when the page goes.
class CStatusIcons {
public:
    // The icons' resource numbers, in the order of meter_display::Icon.
    static const std::array<UINT, meter_display::kIconCount> kResources;

    // side: the icons' size in pixels.
    void Load(int side);
    // Null before Load or for an index outside the table.
    HICON Icon(int index) const;

private:
    std::array<UniqueIcon, meter_display::kIconCount> m_icons;
};
