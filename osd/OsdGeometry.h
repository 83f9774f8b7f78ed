#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

// The arithmetic of the displays: where each one goes on the screen, where
// its parts go inside it, which level marks are lit and how opaque a fade
// step is. Nothing here touches a window, so all of it can be checked alone.
namespace osd_geometry {

struct OsdSize {
    int width = 0;
    int height = 0;
    bool operator==(const OsdSize&) const = default;
};

struct OsdRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const OsdRect&) const = default;
};

// The bitmap displays: half the picture's width on a 1280-pixel screen,
// scaled with the screen, near the bottom right corner, and lifted clear of
// a taskbar at the bottom (or moved left of one at the right).
OsdRect PlaceBitmap(OsdSize screen, OsdSize picture, const std::optional<RECT>& taskbar);

// The slider displays: the panel at its natural size, centred, with 12 % of
// the screen below it; the knob runs on a track 102 pixels down the panel.
struct SliderPlacement {
    OsdRect window;
    POINT trackStart{};
    POINT trackEnd{};
};
SliderPlacement PlaceSlider(OsdSize screen, OsdSize panel);

// The knob: a 24-pixel circle whose left edge moves 151 pixels over the
// range, shaded by a gradient from white at its top left to black further
// down the track.
struct SliderKnob {
    OsdRect box;
    POINT gradientFrom{};
    POINT gradientTo{};
};
SliderKnob SliderKnobFor(int percent);

// The outline displays come in two size classes; the large pictures need a
// screen of at least 1440 x 900.
bool IsLargeScreen(OsdSize screen);
// Level panels: centred, their middle three quarters down the screen.
OsdRect PlaceOutlinePanel(OsdSize screen, OsdSize panel);
// Status pictures: at the bottom right, 30 pixels from the side and 70 from the bottom.
OsdRect PlaceOutlinePicture(OsdSize screen, OsdSize picture);
// A picture centred on a panel (its top left, in the panel).
POINT CentredOn(OsdSize panel, OsdSize picture);
// Where the symbol sits on an outline panel.
POINT OutlineSymbolAt(bool large);

// A row of level marks: mark i is at (firstX + i * pitch, y).
struct TickRow {
    int firstX = 0;
    int pitch = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    OsdRect Tick(int i) const { return {firstX + i * pitch, y, width, height}; }
};
TickRow BrightnessTicks(bool large);
TickRow VolumeTicks(bool large);
inline constexpr int kVolumeSteps = 25;
// Brightness marks 0..levelMax: lit up to and including the level.
int LitBrightnessTicks(int level, int levelMax);
// Volume marks 0..24: the first `step` lit, none while muted unless the
// marks are asked for while muted.
int LitVolumeTicks(int step, bool muted, bool ticksWhileMuted);

// Dialog displays: the saved place when the whole window fits on the
// desktop there, else near the bottom right corner.
POINT DialogPosition(POINT saved, OsdSize window, const RECT& desktop);
// The same, where only the saved top-left corner has to lie on the desktop.
POINT CornerDialogPosition(POINT saved, OsdSize window, const RECT& desktop);
// The brightness dialog's icon for a level: low, middle or high sun.
UINT BrightnessIconFor(int level, int levelMax);

// Panel displays (per-pixel alpha): the window around a symbol picture, the
// pictures on it and the level bar.
struct PanelLayout {
    OsdRect window;
    POINT symbol{};
    POINT minus{};
    POINT plus{};
    // The level bar's top left; its marks are 23 pixels high.
    POINT bar{};
};
PanelLayout BrightnessPanel(OsdSize screen, OsdSize symbol, OsdSize plus);
PanelLayout VolumePanel(OsdSize screen, OsdSize symbol, OsdSize plus);
inline constexpr int kPanelBarCount = 15;
inline constexpr int kPanelBarWidth = 10;
inline constexpr int kPanelBarPitch = 13;
inline constexpr int kPanelMarkHeight = 23;
inline constexpr uint32_t kPanelMarkLit = 0xFFFFFFFF;
inline constexpr uint32_t kPanelMarkUnlit = 0xFF336699;
// Bar i (0..14) is lit at the top level, or once the level reaches its share.
bool PanelBarLit(int i, int level, int levelMax);
// The volume bar: 25 segments 5 pixels wide every 9 pixels, 125 pixels of
// them lit for the whole range; a segment may be partly lit from its left.
struct PanelSegment {
    int x = 0;
    int width = 0;
    int litWidth = 0;
};
inline constexpr int kPanelSegmentCount = 25;
inline constexpr int kPanelSegmentWidth = 5;
inline constexpr int kPanelSegmentPitch = 9;
std::vector<PanelSegment> PanelVolumeSegments(int barX, int level, int range);
// The text of the panel's light-sensor line, vertically between the symbol and the bar.
int PanelTextCentreY(const PanelLayout& layout, int symbolHeight);

// The panel-style lock-key display: a 48-pixel picture 24 pixels in from
// the sides and 12 from the top, the panel near the bottom right corner.
OsdRect PlaceLockPanel(OsdSize screen);
inline constexpr POINT kLockPictureAt{24, 12};
// The status pictures of the panel style are keyed on their pixel (4, 4).
inline constexpr int kStatusKeyPixel = 4;

// Hold and fade: constant alpha of a fade step (percent 100..0) for the
// bitmap and slider displays, and for the outline displays.
BYTE BitmapFadeAlpha(int percent);
BYTE OutlineFadeAlpha(int percent);
inline constexpr BYTE kBitmapAlpha = 178;
inline constexpr BYTE kOutlineAlpha = 191;

// Brightness levels: the percentage per level, and the percentage written
// to the power plan for a level (100 at the top).
int LevelStep(int levelMax);
DWORD PowerPlanPercent(int level, int levelMax, int levelStep);

} // namespace osd_geometry
