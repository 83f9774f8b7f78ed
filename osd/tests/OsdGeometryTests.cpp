#include "OsdGeometry.h"
#include "OsdPictures.h"

#include <gtest/gtest.h>

using namespace osd_geometry;

namespace {

constexpr OsdSize kScreen{1280, 800};
constexpr OsdSize kPicture{400, 300};

std::pair<int, int> Xy(POINT p)
{
    return {p.x, p.y};
}

RECT Bar(int left, int top, int right, int bottom)
{
    return RECT{left, top, right, bottom};
}

TEST(BitmapPlacementTest, HalfThePictureOnTheDesignScreenScaledWithTheScreen)
{
    EXPECT_EQ(PlaceBitmap(kScreen, kPicture, std::nullopt), (OsdRect{1016, 610, 200, 150}));
    EXPECT_EQ(PlaceBitmap({1920, 1080}, kPicture, std::nullopt), (OsdRect{1524, 801, 300, 225}));
    // Half the width is taken first, so an odd width loses its last pixel
    // before scaling; the height follows the scaled width.
    EXPECT_EQ(PlaceBitmap(kScreen, {401, 300}, std::nullopt), (OsdRect{1016, 611, 200, 149}));
    // A picture that failed to load gives an empty place, not a division by zero.
    EXPECT_EQ(PlaceBitmap(kScreen, {0, 0}, std::nullopt).height, 0);
}

TEST(BitmapPlacementTest, ClearsATaskbarAtTheBottomOrTheRight)
{
    // Covering the picture's place: lifted one and a half heights above it.
    EXPECT_EQ(PlaceBitmap(kScreen, kPicture, Bar(0, 760, 1280, 800)), (OsdRect{1016, 535, 200, 150}));
    EXPECT_EQ(PlaceBitmap(kScreen, kPicture, Bar(0, 700, 1280, 800)).y, 700 - 225);
    // Below the picture: nothing to avoid.
    EXPECT_EQ(PlaceBitmap(kScreen, kPicture, Bar(0, 770, 1280, 800)).y, 610);
    // At the right: moved one and a half widths left of it.
    EXPECT_EQ(PlaceBitmap(kScreen, kPicture, Bar(1200, 0, 1280, 800)), (OsdRect{900, 610, 200, 150}));
    EXPECT_EQ(PlaceBitmap(kScreen, kPicture, Bar(1240, 0, 1280, 800)).x, 1016);
}

TEST(BitmapPlacementTest, IgnoresTaskbarsAtTheTopOrLeftAndPartialOnes)
{
    const OsdRect free = PlaceBitmap(kScreen, kPicture, std::nullopt);
    EXPECT_EQ(PlaceBitmap(kScreen, kPicture, Bar(0, 0, 1280, 40)), free);
    EXPECT_EQ(PlaceBitmap(kScreen, kPicture, Bar(0, 0, 60, 800)), free);
    // Not as wide as the desktop, or not down at its edge.
    EXPECT_EQ(PlaceBitmap(kScreen, kPicture, Bar(0, 760, 1000, 800)), free);
    EXPECT_EQ(PlaceBitmap(kScreen, kPicture, Bar(0, 700, 1280, 760)), free);
    EXPECT_EQ(PlaceBitmap(kScreen, kPicture, Bar(1200, 0, 1280, 700)), free);
}

TEST(SliderPlacementTest, CentredWithTwelvePercentBelowAndTheTrackInside)
{
    const SliderPlacement slider = PlaceSlider(kScreen, {280, 150});
    EXPECT_EQ(slider.window, (OsdRect{500, 554, 280, 150}));
    EXPECT_EQ(slider.trackStart.x, 518);
    EXPECT_EQ(slider.trackStart.y, 656);
    EXPECT_EQ(slider.trackEnd.x, 762);
    EXPECT_EQ(slider.trackEnd.y, 656);

    // 12 % of 768 rounds down to 92.
    const SliderPlacement wide = PlaceSlider({1366, 768}, {280, 150});
    EXPECT_EQ(wide.window, (OsdRect{543, 526, 280, 150}));
    EXPECT_EQ(wide.trackStart.x, 561);
    EXPECT_EQ(wide.trackEnd.x, 805);
    EXPECT_EQ(wide.trackEnd.y, 628);
}

TEST(SliderPlacementTest, KnobTravelsTheRampWithItsGradient)
{
    const SliderKnob empty = SliderKnobFor(0);
    EXPECT_EQ(empty.box, (OsdRect{55, 96, 24, 24}));
    EXPECT_EQ(empty.gradientFrom.x, 55);
    EXPECT_EQ(empty.gradientFrom.y, 96);
    EXPECT_EQ(empty.gradientTo.x, 127);
    EXPECT_EQ(empty.gradientTo.y, 168);

    EXPECT_EQ(SliderKnobFor(33).box.x, 104);
    const SliderKnob full = SliderKnobFor(100);
    EXPECT_EQ(full.box.x, 206);
    EXPECT_EQ(full.gradientTo.x, 278);
    // Out of range percentages stay on the ramp.
    EXPECT_EQ(SliderKnobFor(140).box, full.box);
    EXPECT_EQ(SliderKnobFor(-5).box, empty.box);
    // The knob never leaves the 280-pixel panel.
    EXPECT_LE(full.box.x + full.box.width, 280);
}

TEST(OutlinePlacementTest, LargePicturesFromAScreenOf1440By900)
{
    EXPECT_TRUE(IsLargeScreen({1440, 900}));
    EXPECT_TRUE(IsLargeScreen({1920, 1080}));
    EXPECT_FALSE(IsLargeScreen({1439, 900}));
    EXPECT_FALSE(IsLargeScreen({1440, 899}));
    EXPECT_FALSE(IsLargeScreen({2560, 800}));
}

TEST(OutlinePlacementTest, PanelCentredThreeQuartersDownAndPicturesBottomRight)
{
    EXPECT_EQ(PlaceOutlinePanel(kScreen, {140, 140}), (OsdRect{570, 530, 140, 140}));
    EXPECT_EQ(PlaceOutlinePanel({1440, 900}, {210, 210}), (OsdRect{615, 570, 210, 210}));
    EXPECT_EQ(PlaceOutlinePicture(kScreen, {120, 100}), (OsdRect{1130, 630, 120, 100}));
    EXPECT_EQ(OutlineSymbolAt(false).x, 33);
    EXPECT_EQ(OutlineSymbolAt(false).y, 24);
    EXPECT_EQ(OutlineSymbolAt(true).x, 50);
    EXPECT_EQ(OutlineSymbolAt(true).y, 35);
}

TEST(OutlineTicksTest, MarksSitWhereThePicturesExpectThem)
{
    EXPECT_EQ(BrightnessTicks(false).Tick(0), (OsdRect{15, 111, 4, 8}));
    EXPECT_EQ(BrightnessTicks(false).Tick(7), (OsdRect{64, 111, 4, 8}));
    EXPECT_EQ(BrightnessTicks(true).Tick(0), (OsdRect{35, 165, 5, 11}));
    EXPECT_EQ(BrightnessTicks(true).Tick(15), (OsdRect{170, 165, 5, 11}));
    EXPECT_EQ(VolumeTicks(false).Tick(0), (OsdRect{21, 104, 2, 8}));
    EXPECT_EQ(VolumeTicks(false).Tick(24), (OsdRect{117, 104, 2, 8}));
    EXPECT_EQ(VolumeTicks(true).Tick(1), (OsdRect{37, 165, 3, 11}));
    EXPECT_EQ(VolumeTicks(true).Tick(24), (OsdRect{175, 165, 3, 11}));
}

TEST(OutlineTicksTest, TheLongestRowsFitTheirPanelWithGapsBetweenMarks)
{
    struct Row {
        TickRow row;
        int count;
        int panel;
    };
    for (const Row& r :
         {Row{BrightnessTicks(false), 16, 140}, Row{BrightnessTicks(true), 16, 210},
          Row{VolumeTicks(false), kVolumeSteps, 140}, Row{VolumeTicks(true), kVolumeSteps, 210}}) {
        const OsdRect last = r.row.Tick(r.count - 1);
        EXPECT_LE(last.x + last.width, r.panel);
        EXPECT_LE(last.y + last.height, r.panel);
        EXPECT_GT(r.row.pitch, r.row.width);
    }
}

TEST(OutlineTicksTest, LitMarksFollowTheLevelAndTheMuteState)
{
    // Brightness: mark 0 is lit at the darkest level, all at the brightest.
    EXPECT_EQ(LitBrightnessTicks(0, 7), 1);
    EXPECT_EQ(LitBrightnessTicks(3, 7), 4);
    EXPECT_EQ(LitBrightnessTicks(7, 7), 8);
    EXPECT_EQ(LitBrightnessTicks(15, 15), 16);
    EXPECT_EQ(LitBrightnessTicks(9, 7), 8);
    EXPECT_EQ(LitBrightnessTicks(-3, 7), 0);

    EXPECT_EQ(LitVolumeTicks(0, false, false), 0);
    EXPECT_EQ(LitVolumeTicks(13, false, false), 13);
    EXPECT_EQ(LitVolumeTicks(25, false, false), 25);
    EXPECT_EQ(LitVolumeTicks(30, false, false), 25);
    EXPECT_EQ(LitVolumeTicks(13, true, false), 0);
    EXPECT_EQ(LitVolumeTicks(13, true, true), 13);
}

TEST(DialogPlacementTest, SavedPlaceOnlyWhenTheWholeWindowIsOnTheDesktop)
{
    constexpr RECT desktop{0, 0, 1280, 800};
    constexpr OsdSize window{240, 70};
    auto at = [&](POINT saved) { return Xy(DialogPosition(saved, window, desktop)); };
    const std::pair<int, int> fallback{1280 - 300, 800 - 140};
    EXPECT_EQ(at({0, 0}), fallback);
    EXPECT_EQ(at({100, 120}), (std::pair{100, 120}));
    // One coordinate 0 is a place like any other.
    EXPECT_EQ(at({0, 120}), (std::pair{0, 120}));
    EXPECT_EQ(at({1039, 729}), (std::pair{1039, 729}));
    // Saved on a bigger desktop: the far corner is off this one.
    EXPECT_EQ(at({1100, 100}), fallback);
    EXPECT_EQ(at({100, 760}), fallback);
    EXPECT_EQ(at({-10, 100}), fallback);
    EXPECT_EQ(at({1400, 900}), fallback);
}

TEST(DialogPlacementTest, FallbackTruncatesAQuarterMoreThanTheWidth)
{
    constexpr RECT desktop{0, 0, 1024, 768};
    // 231 * 1.25 = 288.75, truncated to 288.
    const POINT p = DialogPosition({0, 0}, {231, 61}, desktop);
    EXPECT_EQ(p.x, 1024 - 288);
    EXPECT_EQ(p.y, 768 - 122);
}

TEST(DialogPlacementTest, SunIconByQuarterAndHalfOfTheLevels)
{
    EXPECT_EQ(BrightnessIconFor(0, 7), static_cast<UINT>(IDI_OSD_BRIGHTNESS_LOW));
    EXPECT_EQ(BrightnessIconFor(1, 7), static_cast<UINT>(IDI_OSD_BRIGHTNESS_LOW));
    EXPECT_EQ(BrightnessIconFor(2, 7), static_cast<UINT>(IDI_OSD_BRIGHTNESS_MIDDLE));
    EXPECT_EQ(BrightnessIconFor(3, 7), static_cast<UINT>(IDI_OSD_BRIGHTNESS_MIDDLE));
    EXPECT_EQ(BrightnessIconFor(4, 7), static_cast<UINT>(IDI_OSD_BRIGHTNESS_HIGH));
    EXPECT_EQ(BrightnessIconFor(7, 7), static_cast<UINT>(IDI_OSD_BRIGHTNESS_HIGH));
}

TEST(PanelLayoutTest, BrightnessPanelAroundItsSymbol)
{
    const PanelLayout panel = BrightnessPanel(kScreen, {97, 91}, {15, 15});
    EXPECT_EQ(panel.window, (OsdRect{504, 500, 271, 200}));
    EXPECT_EQ(Xy(panel.symbol), std::pair(87, 41));
    EXPECT_EQ(Xy(panel.minus), std::pair(17, 165));
    EXPECT_EQ(Xy(panel.plus), std::pair(238, 165));
    EXPECT_EQ(Xy(panel.bar), std::pair(39, 161));
    // The fifteenth bar ends before the plus sign.
    EXPECT_LT(panel.bar.x + (kPanelBarCount - 1) * kPanelBarPitch + kPanelBarWidth, panel.plus.x);
    // The light-sensor line sits halfway between the symbol and the bar.
    EXPECT_EQ(PanelTextCentreY(panel, 91), 146);
}

TEST(PanelLayoutTest, VolumePanelIsWiderForItsSegments)
{
    const PanelLayout panel = VolumePanel(kScreen, {97, 91}, {15, 15});
    EXPECT_EQ(panel.window, (OsdRect{497, 500, 285, 200}));
    EXPECT_EQ(Xy(panel.symbol), std::pair(94, 41));
    EXPECT_EQ(Xy(panel.minus), std::pair(10, 165));
    EXPECT_EQ(Xy(panel.plus), std::pair(260, 165));
    EXPECT_EQ(Xy(panel.bar), std::pair(32, 161));
    const std::vector<PanelSegment> segments = PanelVolumeSegments(panel.bar.x, 100, 101);
    EXPECT_LT(segments.back().x + segments.back().width, panel.plus.x);
}

int LitBars(int level, int levelMax)
{
    int lit = 0;
    for (int i = 0; i < kPanelBarCount; ++i) lit += PanelBarLit(i, level, levelMax) ? 1 : 0;
    return lit;
}

TEST(PanelLayoutTest, BarsLightByTheirShareOfTheLevels)
{
    EXPECT_EQ(LitBars(0, 7), 0);
    EXPECT_EQ(LitBars(1, 7), 2); // 7 / 15 per bar
    EXPECT_EQ(LitBars(3, 7), 6);
    EXPECT_EQ(LitBars(6, 7), 12);
    EXPECT_EQ(LitBars(7, 7), 15);
    EXPECT_EQ(LitBars(1, 15), 1);
    EXPECT_EQ(LitBars(14, 15), 14);
    EXPECT_EQ(LitBars(15, 15), 15);
    // Lit bars are always the first ones.
    for (int i = 1; i < kPanelBarCount; ++i)
        EXPECT_FALSE(PanelBarLit(i, 4, 7) && !PanelBarLit(i - 1, 4, 7)) << i;
}

TEST(PanelLayoutTest, VolumeSegmentsFillFromTheLeftWithOnePartlyLit)
{
    const std::vector<PanelSegment> half = PanelVolumeSegments(32, 50, 101);
    ASSERT_EQ(half.size(), static_cast<size_t>(kPanelSegmentCount));
    EXPECT_EQ(half[0].x, 32);
    EXPECT_EQ(half[24].x, 32 + 216);
    // 50 of 100 is 62.5 lit pixels: twelve whole segments and two pixels.
    for (int i = 0; i < 12; ++i) EXPECT_EQ(half[i].litWidth, 5) << i;
    EXPECT_EQ(half[12].litWidth, 2);
    for (int i = 13; i < 25; ++i) EXPECT_EQ(half[i].litWidth, 0) << i;

    int full = 0;
    for (const PanelSegment& s : PanelVolumeSegments(32, 100, 101)) full += s.litWidth;
    EXPECT_EQ(full, 125);
    int none = 0;
    for (const PanelSegment& s : PanelVolumeSegments(32, 0, 101)) none += s.litWidth;
    EXPECT_EQ(none, 0);
    EXPECT_EQ(PanelVolumeSegments(32, 1, 101)[0].litWidth, 1);
    // A range of one cannot divide: nothing lit rather than a fault.
    for (const PanelSegment& s : PanelVolumeSegments(32, 5, 1)) EXPECT_EQ(s.litWidth, 0);
}

TEST(FadeAlphaTest, BitmapAndOutlineSteps)
{
    EXPECT_EQ(BitmapFadeAlpha(100), 178);
    EXPECT_EQ(BitmapFadeAlpha(90), 160);
    EXPECT_EQ(BitmapFadeAlpha(50), 89);
    EXPECT_EQ(BitmapFadeAlpha(10), 17);
    EXPECT_EQ(BitmapFadeAlpha(0), 0);
    EXPECT_EQ(OutlineFadeAlpha(100), 191);
    EXPECT_EQ(OutlineFadeAlpha(90), 171);
    EXPECT_EQ(OutlineFadeAlpha(50), 95);
    EXPECT_EQ(OutlineFadeAlpha(10), 19);
    EXPECT_EQ(OutlineFadeAlpha(0), 0);
    EXPECT_EQ(OutlineFadeAlpha(120), 191);
}

} // namespace
