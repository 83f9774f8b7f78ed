#include "AlsDialog.h"
#include "EjectDialog3.h"
#include "FrameWnd.h"
#include "GdiplusSession.h"
#include "MessageFilterChain.h"
#include "KbdLedDialog2.h"
#include "KbdLedDialog3.h"
#include "KbdLedDialog4_K7.h"
#include "OsdDrawing.h"
#include "OsdFactory.h"
#include "OsdGeometry.h"
#include "OsdPictures.h"
#include "OsdResources.h"
#include "RegistryValueGuard.h"
#include "ScreenShot.h"
#include "SettingNames.h"
#include "TavrinStrings.h"
#include "TextLoader.h"
#include "Settings.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

using namespace osd_geometry;

namespace {

// The desktop behind every display: what shows through cut-out pixels.
constexpr COLORREF kBackdrop = RGB(40, 110, 60);
constexpr int kLevelMax = 7;
constexpr DWORD kQuickLookMs = 1500;
constexpr COLORREF kBrightnessBar = RGB(253, 178, 21);
constexpr COLORREF kBrightnessFrame = RGB(253, 178, 21);
constexpr COLORREF kBrightnessFace = RGB(255, 244, 199);
constexpr COLORREF kVolumeBar = RGB(72, 192, 210);
// The outline pictures' marks, lit and unlit, and the panel's level marks.
constexpr COLORREF kTickLit = RGB(238, 243, 248);
constexpr COLORREF kTickUnlit = RGB(61, 71, 86);
constexpr COLORREF kPanelFill = RGB(0x34, 0x67, 0x9A);

// Runs this thread's messages until done() holds or the time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // As the tray's loop: open dialogs take their keyboard messages first.
            if (CMessageFilterChain::ForThisThread().Filter(msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (done()) return true;
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= timeoutMs) return false;
        // The compositor sends us nothing when it is done: look again soon.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(timeoutMs - elapsed, 20), QS_ALLINPUT);
    }
}

std::wstring ShotPath(const std::wstring& name)
{
    const std::wstring folder = TAVRIN_OSD_SHOTS;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\" + name + L".png";
}

int Brightness(COLORREF c)
{
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
}

RECT WindowPlace(HWND window)
{
    RECT place{};
    ::GetWindowRect(window, &place);
    return place;
}

class DisplayShots : public ::testing::Test {
protected:
    void SetUp() override
    {
        static const HBRUSH backdrop = ::CreateSolidBrush(kBackdrop); // kept for the process, as the class
        CWnd::ClassInfo info;
        info.background = backdrop;
        ASSERT_TRUE(CFrameWnd::RegisterFrameClass(L"OsdShotsBackdrop", info));
        ASSERT_TRUE(m_backdrop.Create(L"OsdShotsBackdrop", L"desktop behind the displays", WS_POPUP));
        const OsdSize screen = osd_drawing::DesktopSize();
        ::SetWindowPos(m_backdrop.GetSafeHwnd(), HWND_BOTTOM, 0, 0, screen.width, screen.height,
                       SWP_SHOWWINDOW | SWP_NOACTIVATE);
        ASSERT_TRUE(PumpUntil([&] {
            return m_before.Take({0, 0, screen.width, screen.height})
                   && Near(m_before.At(screen.width / 2, screen.height * 3 / 4), kBackdrop, 2)
                   && Near(m_before.At(screen.width - 40, screen.height - 40), kBackdrop, 2);
        })) << "the backdrop never showed";
        // The dialog style starts from its default place.
        m_positions.Delete(setting_names::kBrightnessDlgX);
        m_positions.Delete(setting_names::kBrightnessDlgY);
        m_positions.Delete(setting_names::kVolumeDlgX);
        m_positions.Delete(setting_names::kVolumeDlgY);
    }

    std::unique_ptr<CBrightnessDlg> OpenBrightness(int style)
    {
        BrightnessDlgParams params;
        params.levelMax = kLevelMax;
        params.writePowerPlan = [this](DWORD percent) { writtenPercent = static_cast<int>(percent); };
        auto display = CreateBrightnessDlg(style, params);
        EXPECT_TRUE(display->Open());
        display->Show(true);
        return display;
    }

    std::unique_ptr<CVolumeDlg> OpenVolume(int style)
    {
        auto display = CreateVolumeDlg(style, nullptr);
        EXPECT_TRUE(display->Open());
        display->Show(true);
        return display;
    }

    // Waits until the window is up and the screen there shows what `ready`
    // looks for; `shot` holds the last picture taken, saved under `name`.
    // The dialog and panel styles close after two seconds: they are looked at for less.
    bool Capture(HWND window, CScreenShot& shot, const std::wstring& name,
                 const std::function<bool(const CScreenShot&)>& ready, DWORD timeoutMs = 3000)
    {
        const bool shown = PumpUntil(
            [&] { return ::IsWindowVisible(window) && shot.Take(WindowPlace(window)) && ready(shot); },
            timeoutMs);
        EXPECT_TRUE(shot.Save(ShotPath(name))) << "could not save the picture";
        return shown;
    }

    CFrameWnd m_backdrop;
    CScreenShot m_before;
    RegistryValueGuard m_positions{CSettings::kKeyPath,
                                   {setting_names::kBrightnessDlgX, setting_names::kBrightnessDlgY,
                                    setting_names::kVolumeDlgX, setting_names::kVolumeDlgY}};
    int writtenPercent = -1;

private:
    CGdiplusSession m_gdiplus;
};

// ---- Dialog style: a level bar in the display's own colour -------------------

struct BarFill {
    int width = 0; // inside the bar's border
    int filled = 0; // pixels in the bar colour along its middle
    bool whiteBeyond = true; // what is not filled is the white background
};

BarFill MeasureBar(HWND dialog, HWND bar, const CScreenShot& shot, COLORREF colour)
{
    RECT client{};
    ::GetClientRect(bar, &client);
    ::MapWindowPoints(bar, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const RECT dialogPlace = WindowPlace(dialog);
    // The control draws inside a one-pixel margin of its client area.
    const int left = client.left - dialogPlace.left + 1;
    const int right = client.right - dialogPlace.left - 1;
    const int y = (client.top + client.bottom) / 2 - dialogPlace.top;
    BarFill fill;
    fill.width = right - left;
    for (int x = left; x < right; ++x) {
        if (Near(shot.At(x, y), colour))
            ++fill.filled;
        else if (!Near(shot.At(x, y), RGB(255, 255, 255)))
            fill.whiteBeyond = false;
    }
    return fill;
}

bool FillMatches(const BarFill& fill, int level, int top)
{
    const int expected = fill.width * level / top;
    return fill.whiteBeyond && std::abs(fill.filled - expected) <= 3;
}

TEST_F(DisplayShots, DialogBrightnessBarFillsInItsOwnColour)
{
    auto display = OpenBrightness(0);
    const HWND window = display->GetSafeHwnd();
    const HWND bar = ::GetDlgItem(window, IDC_OSD_LEVEL_BAR);
    ASSERT_NE(bar, nullptr);
    for (int level : {0, 3, kLevelMax}) {
        display->ShowLevel(level);
        CScreenShot shot;
        BarFill fill;
        const bool shown = Capture(
            window, shot, L"style0-brightness-level" + std::to_wstring(level),
            [&](const CScreenShot& s) {
                fill = MeasureBar(window, bar, s, kBrightnessBar);
                return FillMatches(fill, level, kLevelMax);
            },
            kQuickLookMs);
        EXPECT_TRUE(shown) << "level " << level << ": " << fill.filled << " of " << fill.width
                           << " pixels in the bar colour, rest white: " << fill.whiteBeyond;
    }
}

TEST_F(DisplayShots, DialogBrightnessIsRoundedFramedAndAtItsDefaultPlace)
{
    auto display = OpenBrightness(0);
    const HWND window = display->GetSafeHwnd();
    display->ShowLevel(5);
    const RECT place = WindowPlace(window);
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    CScreenShot shot;
    EXPECT_TRUE(Capture(window, shot, L"style0-brightness-frame", [&](const CScreenShot& s) {
        return Near(s.At(width / 2, 0), kBrightnessFrame) && Near(s.At(6, height - 6), kBrightnessFace);
    }));
    // The corners are cut round: the desktop shows there.
    EXPECT_TRUE(Near(shot.At(0, 0), kBackdrop)) << std::hex << shot.At(0, 0);
    EXPECT_TRUE(Near(shot.At(width - 1, height - 1), kBackdrop))
        << std::hex << shot.At(width - 1, height - 1);
    const OsdSize screen = osd_drawing::DesktopSize();
    EXPECT_EQ(place.left, screen.width - static_cast<int>(width * 1.25));
    EXPECT_EQ(place.top, screen.height - 2 * height);
}

TEST_F(DisplayShots, DialogReturnsToTheSavedPlaceAndSavesWhereItWas)
{
    m_positions.SetDword(setting_names::kBrightnessDlgX, 100);
    m_positions.SetDword(setting_names::kBrightnessDlgY, 120);
    auto display = OpenBrightness(0);
    const HWND window = display->GetSafeHwnd();
    display->ShowLevel(2);
    EXPECT_EQ(WindowPlace(window).left, 100);
    EXPECT_EQ(WindowPlace(window).top, 120);
    ::SetWindowPos(window, nullptr, 140, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    display->Close();
    EXPECT_EQ(m_positions.GetDword(setting_names::kBrightnessDlgX), 140u);
    EXPECT_EQ(m_positions.GetDword(setting_names::kBrightnessDlgY), 160u);
    // The dialog style writes the level it showed into the power plan when it goes.
    EXPECT_EQ(writtenPercent, 3 * 12);
}

TEST_F(DisplayShots, DialogVolumeBarFillsInItsOwnColour)
{
    auto display = OpenVolume(0);
    const HWND window = display->GetSafeHwnd();
    const HWND bar = ::GetDlgItem(window, IDC_OSD_LEVEL_BAR);
    ASSERT_NE(bar, nullptr);
    struct Case {
        int level;
        bool muted;
        const wchar_t* name;
    };
    for (const Case& c :
         {Case{0, false, L"style0-volume-0"}, Case{50, false, L"style0-volume-50"},
          Case{100, false, L"style0-volume-100"}, Case{50, true, L"style0-volume-50-muted"}}) {
        display->ShowVolume(c.level, CVolumeDlg::kPercentRange, c.muted);
        CScreenShot shot;
        BarFill fill;
        const bool shown = Capture(
            window, shot, c.name,
            [&](const CScreenShot& s) {
                fill = MeasureBar(window, bar, s, kVolumeBar);
                return FillMatches(fill, c.level, 100);
            },
            kQuickLookMs);
        EXPECT_TRUE(shown) << c.level << " %: " << fill.filled << " of " << fill.width
                           << " pixels in the bar colour, rest white: " << fill.whiteBeyond;
    }
}

// ---- Panel style: per-pixel alpha, white marks up to the level ---------------

bool IsWhite(COLORREF c)
{
    return Near(c, RGB(255, 255, 255), 16);
}

int LitPanelBars(const CScreenShot& shot)
{
    int lit = 0;
    for (int i = 0; i < kPanelBarCount; ++i)
        lit += IsWhite(shot.At(39 + kPanelBarPitch * i + kPanelBarWidth / 2, 161 + kPanelMarkHeight / 2)) ? 1
                                                                                                          : 0;
    return lit;
}

bool PanelShows(const CScreenShot& shot)
{
    const COLORREF panel = shot.At(4, 100);
    return Near(panel, Blend(kPanelFill, kBackdrop, 191), 12) || Near(panel, kPanelFill, 12);
}

TEST_F(DisplayShots, PanelBrightnessLightsBarsByTheLevel)
{
    auto display = OpenBrightness(1);
    const HWND window = display->GetSafeHwnd();
    for (int level : {0, 3, kLevelMax}) {
        int expected = 0;
        for (int i = 0; i < kPanelBarCount; ++i) expected += PanelBarLit(i, level, kLevelMax) ? 1 : 0;
        display->ShowLevel(level);
        CScreenShot shot;
        EXPECT_TRUE(Capture(
            window, shot, L"style1-brightness-level" + std::to_wstring(level),
            [&](const CScreenShot& s) { return PanelShows(s) && LitPanelBars(s) == expected; }, kQuickLookMs))
            << "level " << level << ": " << LitPanelBars(shot) << " bars lit, " << expected << " expected";
        EXPECT_EQ(shot.Width(), 271);
        EXPECT_EQ(shot.Height(), 200);
        // The rounded corner is transparent.
        EXPECT_TRUE(Near(shot.At(0, 0), kBackdrop, 4)) << std::hex << shot.At(0, 0);
    }
}

int LitSegmentColumns(const CScreenShot& shot)
{
    int lit = 0;
    for (int x = 32; x < 32 + kPanelSegmentCount * kPanelSegmentPitch; ++x)
        lit += IsWhite(shot.At(x, 161 + kPanelMarkHeight / 2)) ? 1 : 0;
    return lit;
}

TEST_F(DisplayShots, PanelVolumeLightsSegmentColumnsByTheVolume)
{
    auto display = OpenVolume(1);
    const HWND window = display->GetSafeHwnd();
    for (int level : {0, 50, 100}) {
        const int expected = level * 125 / 100;
        display->ShowVolume(level, CVolumeDlg::kPercentRange, false);
        CScreenShot shot;
        EXPECT_TRUE(Capture(
            window, shot, L"style1-volume-" + std::to_wstring(level),
            [&](const CScreenShot& s) { return PanelShows(s) && LitSegmentColumns(s) == expected; },
            kQuickLookMs))
            << level << " %: " << LitSegmentColumns(shot) << " lit columns, " << expected << " expected";
        EXPECT_EQ(shot.Width(), 285);
    }
}

// ---- Slider style: the knob travels the ramp ---------------------------------

// The knob's columns in a picture: where along its middle row this picture
// differs from both others (there the others show the ramp).
std::pair<int, int> KnobColumns(const CScreenShot& knob, const CScreenShot& a, const CScreenShot& b)
{
    const int y = 96 + 12;
    int first = -1, last = -1;
    for (int x = 0; x < knob.Width(); ++x) {
        if (!Near(knob.At(x, y), a.At(x, y), 6) && !Near(knob.At(x, y), b.At(x, y), 6)) {
            if (first < 0) first = x;
            last = x;
        }
    }
    return {first, last};
}

template <typename Show>
void CheckKnobTravel(HWND window, const std::wstring& family, const int (&levels)[3], const int (&knobX)[3],
                     Show show)
{
    CScreenShot shots[3];
    for (int i = 0; i < 3; ++i) {
        show(levels[i]);
        const CScreenShot* previous = i > 0 ? &shots[i - 1] : nullptr;
        const bool shown = PumpUntil([&] {
            if (!::IsWindowVisible(window) || !shots[i].Take(WindowPlace(window))) return false;
            const bool drawn = !Near(shots[i].At(140, 30), kBackdrop, 2);
            return drawn && (!previous || !shots[i].SameAs(*previous));
        });
        EXPECT_TRUE(shown) << family << " " << levels[i];
        EXPECT_TRUE(shots[i].Save(ShotPath(L"style2-" + family + L"-" + std::to_wstring(levels[i]))));
        EXPECT_EQ(shots[i].Width(), 280);
        EXPECT_EQ(shots[i].Height(), 150);
    }
    for (int i = 0; i < 3; ++i) {
        const auto [first, last] = KnobColumns(shots[i], shots[(i + 1) % 3], shots[(i + 2) % 3]);
        EXPECT_NEAR(first, knobX[i], 2) << family << " " << levels[i];
        EXPECT_NEAR(last, knobX[i] + 23, 2) << family << " " << levels[i];
    }
}

// A pixel of a picture of this program, as the resource holds it.
COLORREF PicturePixel(UINT pictureId, int x, int y)
{
    const UniqueGdiObject picture(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(pictureId), IMAGE_BITMAP, 0, 0, 0));
    const UniqueDc dc(::CreateCompatibleDC(nullptr));
    if (!picture || !dc) return CLR_INVALID;
    const HGDIOBJ old = ::SelectObject(dc.get(), picture.get());
    const COLORREF pixel = ::GetPixel(dc.get(), x, y);
    ::SelectObject(dc.get(), old);
    return pixel;
}

// Source over the backdrop with a constant alpha of 178 of 255.
COLORREF BlendedAt178(COLORREF source, COLORREF backdrop)
{
    const auto mix = [](int s, int b) { return (s * 178 + b * (255 - 178)) / 255; };
    return RGB(mix(GetRValue(source), GetRValue(backdrop)), mix(GetGValue(source), GetGValue(backdrop)),
               mix(GetBValue(source), GetBValue(backdrop)));
}

TEST_F(DisplayShots, SliderIsDrawnWithAConstantAlphaOf178)
{
    auto display = OpenBrightness(2);
    display->ShowLevel(0);
    CScreenShot shot;
    ASSERT_TRUE(Capture(display->GetSafeHwnd(), shot, L"style2-brightness-alpha",
                        [](const CScreenShot& s) { return !Near(s.At(140, 30), kBackdrop, 2); }));
    // Plain panel, away from the symbol, the ramp and the knob.
    for (const POINT at : {POINT{6, 6}, POINT{273, 6}, POINT{6, 143}, POINT{273, 143}, POINT{140, 140}}) {
        const COLORREF expected = BlendedAt178(PicturePixel(IDB_SLIDER_BRIGHTNESS, at.x, at.y), kBackdrop);
        EXPECT_TRUE(Near(shot.At(at.x, at.y), expected, 4))
            << at.x << "," << at.y << ": " << std::hex << shot.At(at.x, at.y) << " against " << expected;
    }
}

TEST_F(DisplayShots, SliderBrightnessKnobFollowsTheLevel)
{
    auto display = OpenBrightness(2);
    // Levels 0, 3 and 7 of 7 are 0, 42 and 100 %.
    CheckKnobTravel(display->GetSafeHwnd(), L"brightness", {0, 3, kLevelMax}, {55, 55 + 63, 55 + 151},
                    [&](int level) { display->ShowLevel(level); });
}

TEST_F(DisplayShots, SliderVolumeKnobFollowsThePercent)
{
    auto display = OpenVolume(2);
    CheckKnobTravel(display->GetSafeHwnd(), L"volume", {0, 50, 100}, {55, 55 + 75, 55 + 151},
                    [&](int level) { display->ShowVolume(level, CVolumeDlg::kPercentRange, false); });
}

TEST_F(DisplayShots, SliderSitsCentredLowOnTheScreen)
{
    auto display = OpenVolume(2);
    display->ShowVolume(50, CVolumeDlg::kPercentRange, true);
    const HWND window = display->GetSafeHwnd();
    CScreenShot shot;
    EXPECT_TRUE(Capture(window, shot, L"style2-volume-50-muted",
                        [&](const CScreenShot& s) { return !Near(s.At(140, 30), kBackdrop, 2); }));
    const SliderPlacement place = PlaceSlider(osd_drawing::DesktopSize(), {280, 150});
    EXPECT_EQ(WindowPlace(window).left, place.window.x);
    EXPECT_EQ(WindowPlace(window).top, place.window.y);
}

// ---- Outline style: keyed corners, marks lit up to the level -----------------

bool IsLitTick(COLORREF c)
{
    const int lit = Brightness(Blend(kTickLit, kBackdrop, kOutlineAlpha));
    const int unlit = Brightness(Blend(kTickUnlit, kBackdrop, kOutlineAlpha));
    return Brightness(c) > (lit + unlit) / 2;
}

bool IsTick(COLORREF c)
{
    for (COLORREF tick : {kTickLit, kTickUnlit})
        if (Near(c, Blend(tick, kBackdrop, kOutlineAlpha), 16) || Near(c, tick, 16)) return true;
    return false;
}

struct TickCount {
    int lit = 0;
    int unlit = 0;
    int strange = 0; // neither mark
};

TickCount CountTicks(const CScreenShot& shot, const TickRow& row, int count)
{
    TickCount ticks;
    for (int i = 0; i < count; ++i) {
        const OsdRect t = row.Tick(i);
        const COLORREF c = shot.At(t.x + (t.width - 1) / 2, t.y + t.height / 2);
        if (!IsTick(c))
            ++ticks.strange;
        else if (IsLitTick(c))
            ++ticks.lit;
        else
            ++ticks.unlit;
    }
    return ticks;
}

bool IsLarge()
{
    return IsLargeScreen(osd_drawing::DesktopSize());
}

std::wstring SizeClass()
{
    return IsLarge() ? L"-large" : L"-small";
}

void CheckKeyedCorners(const CScreenShot& shot)
{
    const int w = shot.Width();
    const int h = shot.Height();
    for (POINT corner : {POINT{0, 0}, POINT{w - 1, 0}, POINT{0, h - 1}, POINT{w - 1, h - 1}})
        EXPECT_TRUE(Near(shot.At(corner.x, corner.y), kBackdrop, 2))
            << corner.x << "," << corner.y << ": " << std::hex << shot.At(corner.x, corner.y);
    EXPECT_FALSE(Near(shot.At(w / 2, h / 2), kBackdrop, 16));
}

TEST_F(DisplayShots, OutlineBrightnessLightsMarksUpToTheLevel)
{
    auto display = OpenBrightness(3);
    const HWND window = display->GetSafeHwnd();
    const TickRow row = BrightnessTicks(IsLarge());
    for (int level : {0, 3, kLevelMax}) {
        display->ShowLevel(level);
        CScreenShot shot;
        auto ready = [&](const CScreenShot& s) {
            const TickCount t = CountTicks(s, row, kLevelMax + 1);
            return t.strange == 0 && t.lit == level + 1;
        };
        EXPECT_TRUE(
            Capture(window, shot, L"style3-brightness-level" + std::to_wstring(level) + SizeClass(), ready))
            << "level " << level << ": " << CountTicks(shot, row, kLevelMax + 1).lit << " lit, "
            << CountTicks(shot, row, kLevelMax + 1).strange << " not a mark";
        CheckKeyedCorners(shot);
    }
}

TEST_F(DisplayShots, OutlineVolumeLightsMarksUpToTheStepUnlessMuted)
{
    auto display = OpenVolume(3);
    const HWND window = display->GetSafeHwnd();
    const TickRow row = VolumeTicks(IsLarge());
    struct Case {
        int step;
        bool muted;
        bool ticksWhileMuted;
        int lit;
        const wchar_t* name;
    };
    for (const Case& c : {Case{0, false, false, 0, L"0"}, Case{13, false, false, 13, L"13"},
                          Case{25, false, false, 25, L"25"}, Case{13, true, false, 0, L"13-muted"},
                          Case{13, true, true, 13, L"13-muted-marks"}}) {
        display->ShowVolumeSteps(c.step, CVolumeDlg::kPercentRange, c.muted, c.ticksWhileMuted);
        CScreenShot shot;
        auto ready = [&](const CScreenShot& s) {
            const TickCount t = CountTicks(s, row, kVolumeSteps);
            return t.strange == 0 && t.lit == c.lit;
        };
        EXPECT_TRUE(Capture(window, shot, std::wstring(L"style3-volume-") + c.name + SizeClass(), ready))
            << c.name << ": " << CountTicks(shot, row, kVolumeSteps).lit << " lit, "
            << CountTicks(shot, row, kVolumeSteps).strange << " not a mark";
        CheckKeyedCorners(shot);
    }
}

TEST_F(DisplayShots, OutlineSizeClassFollowsTheScreen)
{
    // The large-screen run names the screen it asked for.
    wchar_t wanted[32] = {};
    const OsdSize screen = osd_drawing::DesktopSize();
    if (::GetEnvironmentVariableW(L"TAVRIN_OSD_SCREEN", wanted, 32) > 0) {
        EXPECT_EQ(std::wstring(wanted),
                  std::to_wstring(screen.width) + L"x" + std::to_wstring(screen.height));
    }
    auto display = OpenBrightness(3);
    display->ShowLevel(1);
    const RECT place = WindowPlace(display->GetSafeHwnd());
    const int side = IsLarge() ? 210 : 140;
    EXPECT_EQ(place.right - place.left, side);
    EXPECT_EQ(place.bottom - place.top, side);
    EXPECT_EQ(place.left, (screen.width - side) / 2);
    EXPECT_EQ(place.top, screen.height * 3 / 4 - side / 2);
}

// ---- Lock keys, eject and the light sensor ------------------------------------

class NoIndicators : public ILockIndicators {
public:
    bool Add(LockKey, UINT) override { return true; }
    void Remove(LockKey) override {}
};

struct LockCase {
    LockKey key;
    bool on;
    const wchar_t* name;
};
const LockCase kLockCases[] = {{LockKey::Caps, true, L"caps-on"},
                               {LockKey::Caps, false, L"caps-off"},
                               {LockKey::Num, true, L"num-on"},
                               {LockKey::Num, false, L"num-off"}};

int VirtualKeyOf(LockKey key)
{
    return key == LockKey::Caps ? VK_CAPITAL : key == LockKey::Num ? VK_NUMLOCK : VK_SCROLL;
}

// The display shows the key in the state the keyboard is said to be in.
void ShowLock(CKbdLedDialog& display, const LockCase& c, bool& keyOn)
{
    keyOn = c.on;
    ASSERT_TRUE(display.HasWindow() || display.Open());
    ASSERT_TRUE(display.Refresh(c.key, false));
    display.Show(true);
    display.Start();
}

CKbdLedDialog::KeyToggled ToggledBy(const bool& keyOn, LockKey key)
{
    return [&keyOn, key](int virtualKey) { return virtualKey == VirtualKeyOf(key) && keyOn; };
}

TEST_F(DisplayShots, PanelLockKeyShowsThePadlockOfTheKeyOnAndOff)
{
    const OsdRect place = PlaceLockPanel(osd_drawing::DesktopSize());
    for (const LockCase& c : kLockCases) {
        NoIndicators indicators;
        bool keyOn = false;
        CKbdLedDialog2 display({true, true, true}, indicators, ToggledBy(keyOn, c.key));
        ShowLock(display, c, keyOn);
        const UINT picture = display.PictureId();
        // On the padlock's body beside its mark, and on the plain panel.
        const POINT body{12, 28};
        const COLORREF drawn = PicturePixel(picture, body.x, body.y);
        CScreenShot shot;
        EXPECT_TRUE(Capture(
            display.GetSafeHwnd(), shot, std::wstring(L"style1-lock-") + c.name,
            [&](const CScreenShot& s) {
                return Near(s.At(kLockPictureAt.x + body.x, kLockPictureAt.y + body.y), drawn, 6);
            },
            kQuickLookMs))
            << std::hex << shot.At(kLockPictureAt.x + body.x, kLockPictureAt.y + body.y) << " against "
            << drawn;
        const COLORREF panel = Blend(RGB(0x65, 0x79, 0xA2), kBackdrop, 0xBF);
        EXPECT_TRUE(Near(shot.At(8, place.height / 2), panel, 12))
            << std::hex << shot.At(8, place.height / 2);
        EXPECT_TRUE(Near(shot.At(0, 0), kBackdrop, 16)) << "the panel's corners are rounded";
        const RECT window = WindowPlace(display.GetSafeHwnd());
        EXPECT_EQ(window.left, place.x);
        EXPECT_EQ(window.top, place.y);
    }
    // The two states are told apart where the test looks.
    EXPECT_NE(PicturePixel(IDB_LOCK_CAPS_ON, 12, 28), PicturePixel(IDB_LOCK_CAPS_OFF, 12, 28));
    EXPECT_NE(PicturePixel(IDB_LOCK_NUM_ON, 12, 28), PicturePixel(IDB_LOCK_NUM_OFF, 12, 28));
}

// A point of a 200 x 200 tile in a flat part, where scaling keeps its colour.
void CheckTile(HWND window, CScreenShot& shot, const std::wstring& name, UINT picture, POINT at)
{
    const RECT place = WindowPlace(window);
    const int w = place.right - place.left;
    const int h = place.bottom - place.top;
    const COLORREF expected = BlendedAt178(PicturePixel(picture, at.x, at.y), kBackdrop);
    const POINT screenAt{at.x * w / 200, at.y * h / 200};
    const bool shown = PumpUntil(
        [&] {
            return ::IsWindowVisible(window) && shot.Take(WindowPlace(window))
                   && Near(shot.At(screenAt.x, screenAt.y), expected, 8);
        },
        2000);
    EXPECT_TRUE(shot.Save(ShotPath(name)));
    EXPECT_TRUE(shown) << name.c_str() << ": " << std::hex << shot.At(screenAt.x, screenAt.y) << " against "
                       << expected;
}

TEST_F(DisplayShots, BitmapLockKeyTilesFollowTheKeyAndSitBottomRight)
{
    const OsdSize screen = osd_drawing::DesktopSize();
    for (const LockCase& c : kLockCases) {
        NoIndicators indicators;
        bool keyOn = false;
        CKbdLedDialog3 display({true, true, false}, indicators, ToggledBy(keyOn, c.key));
        ShowLock(display, c, keyOn);
        CScreenShot shot;
        // The padlock's body (white when on, grey when off) and the lamp under it.
        CheckTile(display.GetSafeHwnd(), shot, std::wstring(L"style2-lock-") + c.name, display.PictureId(),
                  {64, 120});
        const COLORREF lamp = PicturePixel(display.PictureId(), 100, 182);
        EXPECT_EQ(GetRValue(lamp) > 200, c.on) << "the lamp is lit while the key is on";
        const RECT place = WindowPlace(display.GetSafeHwnd());
        EXPECT_EQ(place.right - place.left, screen.width * 100 / 1280);
        EXPECT_LT(place.right, screen.width);
        EXPECT_GT(place.left, screen.width / 2);
    }
    EXPECT_NE(PicturePixel(IDB_TILE_CAPS_ON, 64, 120), PicturePixel(IDB_TILE_CAPS_OFF, 64, 120));
}

TEST_F(DisplayShots, OutlineLockKeyIsCentredOnItsPanelWithCornersCut)
{
    for (const LockCase& c : kLockCases) {
        NoIndicators indicators;
        bool keyOn = false;
        CKbdLedDialog4_K7 display({true, true, false}, indicators, ToggledBy(keyOn, c.key));
        ShowLock(display, c, keyOn);
        const int panel = IsLarge() ? 180 : 120;
        const int side = IsLarge() ? 110 : 74;
        const int offset = (panel - side) / 2;
        // The bottom edge of the padlock's body, in the middle.
        const POINT at{side / 2, side * 88 / 100};
        const COLORREF drawn = PicturePixel(display.PictureId(), at.x, at.y);
        const COLORREF expected = Blend(drawn, kBackdrop, kOutlineAlpha);
        CScreenShot shot;
        EXPECT_TRUE(Capture(
            display.GetSafeHwnd(), shot, std::wstring(L"style3-lock-") + c.name + SizeClass(),
            [&](const CScreenShot& s) { return Near(s.At(offset + at.x, offset + at.y), expected, 12); }))
            << std::hex << shot.At(offset + at.x, offset + at.y) << " against " << expected;
        CheckKeyedCorners(shot);
        const OsdRect place = PlaceOutlinePicture(osd_drawing::DesktopSize(), {panel, panel});
        EXPECT_EQ(WindowPlace(display.GetSafeHwnd()).left, place.x);
        EXPECT_EQ(WindowPlace(display.GetSafeHwnd()).top, place.y);
    }
}

TEST_F(DisplayShots, EjectShowsTheSymbolThenFadesAndCloses)
{
    CEjectDialog3 display;
    ASSERT_TRUE(display.Open());
    display.Show(true);
    display.ShowEject();
    CScreenShot shot;
    CheckTile(display.GetSafeHwnd(), shot, L"style2-eject", IDB_TILE_EJECT, {100, 90});
    CScreenShot background;
    CheckTile(display.GetSafeHwnd(), background, L"style2-eject-edge", IDB_TILE_EJECT, {20, 20});
    EXPECT_NE(PicturePixel(IDB_TILE_EJECT, 100, 90), PicturePixel(IDB_TILE_EJECT, 20, 20));
    EXPECT_TRUE(display.HoldAndFade().IsHolding());
    // 2.5 s held, then ten fade steps of 50 ms: gone within four seconds.
    EXPECT_TRUE(PumpUntil([&] { return !display.HasWindow(); }, 5000)) << "the eject display never closed";
}

// ---- The light sensor's dialog -------------------------------------------------

RECT ControlPlace(HWND dialog, int id)
{
    RECT place{};
    ::GetWindowRect(::GetDlgItem(dialog, id), &place);
    RECT window = WindowPlace(dialog);
    ::OffsetRect(&place, -window.left, -window.top);
    return place;
}

std::wstring ControlText(HWND dialog, int id)
{
    wchar_t text[256] = {};
    ::GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

class AlsDialogShots : public DisplayShots {
protected:
    RegistryValueGuard m_alsPlace{CSettings::kKeyPath, {setting_names::kAlsDlgX, setting_names::kAlsDlgY}};
};

TEST_F(AlsDialogShots, ShowsTheSensorStateWithItsPictureAndText)
{
    m_alsPlace.Delete(setting_names::kAlsDlgX);
    m_alsPlace.Delete(setting_names::kAlsDlgY);
    std::vector<std::wstring> started;
    CAlsDialog dialog([&](const wchar_t* line) {
        started.push_back(line);
        return true;
    });
    struct Case {
        int state;
        int picture;
        int hidden;
        UINT text;
        COLORREF centre; // the lit lens, or the red stroke across the dark one
        const wchar_t* name;
    };
    for (const Case& c : {Case{1, IDC_ALS_ON_PICTURE, IDC_ALS_OFF_PICTURE, IDS_ALS_ENABLED,
                               RGB(0xFF, 0xD2, 0x4A), L"als-enabled"},
                          Case{0, IDC_ALS_OFF_PICTURE, IDC_ALS_ON_PICTURE, IDS_ALS_DISABLED,
                               RGB(0xD8, 0x32, 0x2A), L"als-disabled"}}) {
        ASSERT_TRUE(dialog.ShowState(c.state));
        const HWND window = dialog.GetSafeHwnd();
        ASSERT_FALSE(texts::LoadSelected(c.text).empty());
        EXPECT_EQ(ControlText(window, IDC_ALS_TEXT), texts::LoadSelected(c.text));
        EXPECT_EQ(ControlText(window, IDC_ALS_LINK), texts::LoadSelected(IDS_ALS_CLICK_HERE));
        EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(window, c.picture)));
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(window, c.hidden)));
        const RECT picture = ControlPlace(window, c.picture);
        const POINT centre{(picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2};
        const RECT link = ControlPlace(window, IDC_ALS_LINK);
        const RECT text = ControlPlace(window, IDC_ALS_TEXT);
        // The link is blue on the dialog's white, the state's text dark.
        const auto any = [](const CScreenShot& s, const RECT& r, const std::function<bool(COLORREF)>& is) {
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x)
                    if (is(s.At(x, y))) return true;
            return false;
        };
        const auto linkBlue
            = [](COLORREF p) { return GetBValue(p) > 160 && GetRValue(p) < 80 && GetGValue(p) < 80; };
        const auto dark = [](COLORREF p) { return Brightness(p) < 150; };
        CScreenShot shot;
        EXPECT_TRUE(Capture(window, shot, c.name,
                            [&](const CScreenShot& s) {
                                return Near(s.At(centre.x, centre.y), c.centre, 24) && any(s, link, linkBlue)
                                       && any(s, text, dark);
                            }))
            << std::hex << shot.At(centre.x, centre.y) << std::dec
            << " link blue: " << any(shot, link, linkBlue) << " text dark: " << any(shot, text, dark);
        EXPECT_TRUE(Near(shot.At(link.left + 2, link.bottom - 2), RGB(255, 255, 255), 8));
    }
    // Default place: from the bottom right corner, by the dialog's size.
    const RECT place = WindowPlace(dialog.GetSafeHwnd());
    const OsdSize screen = osd_drawing::DesktopSize();
    EXPECT_EQ(place.left, screen.width - static_cast<int>((place.right - place.left) * 1.25));
    EXPECT_EQ(place.top, screen.height - 2 * (place.bottom - place.top));
    EXPECT_TRUE(started.empty());
}

TEST_F(AlsDialogShots, LinkAndEnterStartThePreferencesEscapeClosesAndThePlaceIsKept)
{
    m_alsPlace.SetDword(setting_names::kAlsDlgX, 100);
    m_alsPlace.SetDword(setting_names::kAlsDlgY, 120);
    std::vector<std::wstring> started;
    CAlsDialog dialog([&](const wchar_t* line) {
        started.push_back(line);
        return true;
    });
    ASSERT_TRUE(dialog.ShowState(1));
    EXPECT_EQ(WindowPlace(dialog.GetSafeHwnd()).left, 100);
    EXPECT_EQ(WindowPlace(dialog.GetSafeHwnd()).top, 120);
    // A click on the link, as the label reports it.
    ::SendMessageW(dialog.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_ALS_LINK, STN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog.GetSafeHwnd(), IDC_ALS_LINK)));
    EXPECT_EQ(started, (std::vector<std::wstring>{L"brightness.exe"}));
    EXPECT_FALSE(dialog.HasWindow());

    ASSERT_TRUE(dialog.ShowState(0));
    ::SetWindowPos(dialog.GetSafeHwnd(), nullptr, 140, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::PostMessageW(dialog.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !dialog.HasWindow(); })) << "Escape did not close the dialog";
    EXPECT_EQ(CSettings().ReadDword(setting_names::kAlsDlgX, 0), 140u);
    EXPECT_EQ(CSettings().ReadDword(setting_names::kAlsDlgY, 0), 150u);

    ASSERT_TRUE(dialog.ShowState(1));
    EXPECT_EQ(WindowPlace(dialog.GetSafeHwnd()).left, 140);
    ::PostMessageW(dialog.GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(PumpUntil([&] { return !dialog.HasWindow(); })) << "Enter did not open the preferences";
    EXPECT_EQ(started.size(), 2u);
}

} // namespace
