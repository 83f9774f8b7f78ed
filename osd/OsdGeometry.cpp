#include "OsdGeometry.h"

#include "OsdPictures.h"

#include <algorithm>
#include <cmath>

namespace osd_geometry {

namespace {

constexpr int kDesignScreenWidth = 1280;
constexpr int kLargeScreenWidth = 1440;
constexpr int kLargeScreenHeight = 900;
constexpr int kTrackInset = 18;
constexpr int kTrackDepth = 102;
constexpr int kKnobSize = 24;
constexpr int kKnobTravel = 151;
constexpr int kKnobLeft = 55;
constexpr int kKnobTop = 96;
constexpr int kGradientLeft = 127;
constexpr int kGradientBottom = 168;
constexpr int kPanelSymbolTop = 41;
constexpr int kPanelBarDrop = 70;
constexpr int kPanelLitRange = 125;

int Clamp(int value, int low, int high)
{
    return std::min(std::max(value, low), high);
}

int Width(const RECT& r)
{
    return r.right - r.left;
}

int Height(const RECT& r)
{
    return r.bottom - r.top;
}

// Panel displays differ only in how much room the bar needs beside the symbol.
PanelLayout Panel(OsdSize screen, OsdSize symbol, OsdSize plus, int extraWidth, int barInset, int plusOffset)
{
    PanelLayout layout;
    layout.window.width = symbol.width + extraWidth;
    layout.window.height = symbol.height + 109;
    layout.window.x = (screen.width - layout.window.width) / 2;
    layout.window.y = screen.height * 7 / 8 - layout.window.height;
    layout.symbol = {(layout.window.width - symbol.width) / 2, kPanelSymbolTop};
    const int barX = (symbol.width - barInset) / 2;
    const int markY = symbol.height + (kPanelMarkHeight - plus.height) / 2 + kPanelBarDrop;
    layout.minus = {barX - plus.width - 7, markY};
    layout.plus = {barX + plusOffset, markY};
    layout.bar = {barX, symbol.height + kPanelBarDrop};
    return layout;
}

} // namespace

OsdRect PlaceBitmap(OsdSize screen, OsdSize picture, const std::optional<RECT>& taskbar)
{
    OsdRect place;
    place.width = screen.width * (picture.width / 2) / kDesignScreenWidth;
    place.height = picture.width > 0 ? picture.height * place.width / picture.width : 0;
    place.x = screen.width * 95 / 100 - place.width;
    place.y = screen.height * 95 / 100 - place.height;
    if (!taskbar) return place;
    const RECT& bar = *taskbar;
    if (Width(bar) >= screen.width && bar.bottom == screen.height) {
        if (place.y + place.height >= bar.top) place.y = bar.top - place.height * 3 / 2;
    } else if (Height(bar) >= screen.height && bar.right == screen.width) {
        if (place.x + place.width >= bar.left) place.x = bar.left - place.width * 3 / 2;
    }
    return place;
}

SliderPlacement PlaceSlider(OsdSize screen, OsdSize panel)
{
    SliderPlacement slider;
    slider.window = {(screen.width - panel.width) / 2,
                     screen.height - (screen.height * 12 / 100 + panel.height), panel.width, panel.height};
    const int trackY = slider.window.y + kTrackDepth;
    slider.trackStart = {slider.window.x + kTrackInset, trackY};
    slider.trackEnd = {slider.window.x + panel.width - kTrackInset, trackY};
    return slider;
}

SliderKnob SliderKnobFor(int percent)
{
    const int travel = Clamp(percent, 0, 100) * kKnobTravel / 100;
    SliderKnob knob;
    knob.box = {travel + kKnobLeft, kKnobTop, kKnobSize, kKnobSize};
    knob.gradientFrom = {knob.box.x, kKnobTop};
    knob.gradientTo = {travel + kGradientLeft, kGradientBottom};
    return knob;
}

bool IsLargeScreen(OsdSize screen)
{
    return !(screen.width < kLargeScreenWidth || screen.height < kLargeScreenHeight);
}

OsdRect PlaceOutlinePanel(OsdSize screen, OsdSize panel)
{
    return {(screen.width - panel.width) / 2, screen.height * 3 / 4 - panel.height / 2, panel.width,
            panel.height};
}

OsdRect PlaceOutlinePicture(OsdSize screen, OsdSize picture)
{
    return {screen.width - picture.width - 30, screen.height - picture.height - 70, picture.width,
            picture.height};
}

POINT CentredOn(OsdSize panel, OsdSize picture)
{
    return {(panel.width - picture.width) / 2, (panel.height - picture.height) / 2};
}

OsdRect PlaceLockPanel(OsdSize screen)
{
    constexpr int kWidth = 96;
    constexpr int kHeight = 72;
    return {screen.width * 95 / 100 - kWidth, screen.height * 90 / 100 - kHeight, kWidth, kHeight};
}

POINT OutlineSymbolAt(bool large)
{
    return large ? POINT{50, 35} : POINT{33, 24};
}

TickRow BrightnessTicks(bool large)
{
    return large ? TickRow{35, 9, 165, 5, 11} : TickRow{15, 7, 111, 4, 8};
}

TickRow VolumeTicks(bool large)
{
    return large ? TickRow{31, 6, 165, 3, 11} : TickRow{21, 4, 104, 2, 8};
}

int LitBrightnessTicks(int level, int levelMax)
{
    if (levelMax < 0) return 0;
    return Clamp(level, -1, levelMax) + 1;
}

int LitVolumeTicks(int step, bool muted, bool ticksWhileMuted)
{
    if (muted && !ticksWhileMuted) return 0;
    return Clamp(step, 0, kVolumeSteps);
}

POINT DialogPosition(POINT saved, OsdSize window, const RECT& desktop)
{
    const POINT farCorner{saved.x + window.width, saved.y + window.height};
    const bool savedOnce = saved.x != 0 || saved.y != 0;
    if (savedOnce && ::PtInRect(&desktop, saved) && ::PtInRect(&desktop, farCorner)) return saved;
    return {Width(desktop) - static_cast<int>(window.width * 1.25), Height(desktop) - 2 * window.height};
}

POINT CornerDialogPosition(POINT saved, OsdSize window, const RECT& desktop)
{
    const bool savedOnce = saved.x != 0 || saved.y != 0;
    if (savedOnce && ::PtInRect(&desktop, saved)) return saved;
    return {Width(desktop) - static_cast<int>(window.width * 1.25), Height(desktop) - 2 * window.height};
}

UINT BrightnessIconFor(int level, int levelMax)
{
    if (level < (levelMax + 1) / 4) return IDI_OSD_BRIGHTNESS_LOW;
    if (level < (levelMax + 1) / 2) return IDI_OSD_BRIGHTNESS_MIDDLE;
    return IDI_OSD_BRIGHTNESS_HIGH;
}

PanelLayout BrightnessPanel(OsdSize screen, OsdSize symbol, OsdSize plus)
{
    return Panel(screen, symbol, plus, 174, 18, 199);
}

PanelLayout VolumePanel(OsdSize screen, OsdSize symbol, OsdSize plus)
{
    return Panel(screen, symbol, plus, 188, 33, 228);
}

bool PanelBarLit(int i, int level, int levelMax)
{
    if (level <= 0) return false;
    if (level >= levelMax) return true;
    return level >= static_cast<double>(levelMax) / kPanelBarCount * (i + 1);
}

std::vector<PanelSegment> PanelVolumeSegments(int barX, int level, int range)
{
    const double filled
        = range > 1 ? std::clamp(level * static_cast<double>(kPanelLitRange) / (range - 1), 0.0, 125.0) : 0.0;
    const int litPixels = static_cast<int>(std::floor(filled));
    std::vector<PanelSegment> segments;
    for (int i = 0; i < kPanelSegmentCount; ++i) {
        const int lit = Clamp(litPixels - i * kPanelSegmentWidth, 0, kPanelSegmentWidth);
        segments.push_back({barX + i * kPanelSegmentPitch, kPanelSegmentWidth, lit});
    }
    return segments;
}

int PanelTextCentreY(const PanelLayout& layout, int symbolHeight)
{
    return (layout.symbol.y + symbolHeight + layout.bar.y) / 2;
}

BYTE BitmapFadeAlpha(int percent)
{
    return static_cast<BYTE>(Clamp(percent, 0, 100) * kBitmapAlpha / 100);
}

BYTE OutlineFadeAlpha(int percent)
{
    const int clamped = Clamp(percent, 0, 100);
    return static_cast<BYTE>(clamped == 100 ? kOutlineAlpha : clamped * kOutlineAlpha / 100);
}

int LevelStep(int levelMax)
{
    return levelMax >= 0 ? 100 / (levelMax + 1) : 0;
}

DWORD PowerPlanPercent(int level, int levelMax, int levelStep)
{
    if (level >= levelMax) return 100;
    return static_cast<DWORD>(Clamp((std::max(level, 0) + 1) * levelStep, 0, 100));
}

} // namespace osd_geometry
