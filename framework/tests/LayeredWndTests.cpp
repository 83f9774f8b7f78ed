#include "DibSection.h"
#include "FrameWnd.h"
#include "LayeredWnd.h"
#include "TestPump.h"
#include "TestScreen.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kRed = RGB(220, 0, 0);
constexpr uint32_t kRedPixel = 0xFFDC0000;
constexpr RECT kBackground{100, 100, 300, 300};
constexpr RECT kDisplay{150, 150, 250, 250};
constexpr POINT kInside{200, 200};
constexpr POINT kKeyed{160, 160}; // inside the colour-keyed corner

// Counts the clicks that reach a window.
template <typename Window>
class Clicked : public Window {
public:
    int clicks = 0;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg == WM_LBUTTONDOWN) ++clicks;
        return Window::WindowProc(msg, wp, lp);
    }
};
// The window under the display shows a known colour.
using Background = Clicked<CFrameWnd>;
using Display = Clicked<CLayeredWnd>;

bool Present(CLayeredWnd& display, BYTE alpha)
{
    return display.Present(alpha);
}

bool Shows(POINT at, COLORREF colour)
{
    return PumpUntil([&] { return Near(ScreenPixel(at.x, at.y), colour); }, 3000);
}

COLORREF Blend(BYTE alpha)
{
    auto mix = [alpha](int over, int under) { return (over * alpha + under * (255 - alpha)) / 255; };
    return RGB(mix(GetRValue(kRed), GetRValue(kBlue)), 0, mix(GetBValue(kRed), GetBValue(kBlue)));
}

class LayeredDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        static const HBRUSH blue = ::CreateSolidBrush(kBlue); // kept for the process, as the class
        CWnd::ClassInfo info;
        info.background = blue;
        ASSERT_TRUE(CFrameWnd::RegisterFrameClass(L"FrameworkTestBackground", info));
        ASSERT_TRUE(background.Create(L"FrameworkTestBackground", L"under the display", WS_POPUP));
        ::SetWindowPos(background.GetSafeHwnd(), HWND_TOP, kBackground.left, kBackground.top,
                       kBackground.right - kBackground.left, kBackground.bottom - kBackground.top,
                       SWP_SHOWWINDOW);
        ::SetForegroundWindow(background.GetSafeHwnd());
        ASSERT_TRUE(Shows(kInside, kBlue));
        ASSERT_TRUE(display.Create(kDisplay));
        display.Surface().Fill(kRedPixel);
    }

    Background background;
    Display display;
};

TEST_F(LayeredDisplay, HiddenUntilPresentedWithAPictureOfItsSize)
{
    EXPECT_FALSE(::IsWindowVisible(display.GetSafeHwnd()));
    EXPECT_EQ(display.Surface().Width(), 100);
    EXPECT_EQ(display.Surface().Height(), 100);
    EXPECT_TRUE(Shows(kInside, kBlue));
}

TEST_F(LayeredDisplay, EveryAlphaStepReachesTheScreen)
{
    ASSERT_TRUE(display.Present(255));
    EXPECT_TRUE(::IsWindowVisible(display.GetSafeHwnd()));
    EXPECT_TRUE(Shows(kInside, kRed));
    // Faded out completely, then back: each step must hand the picture over
    // again or the alpha stays where it was.
    ASSERT_TRUE(display.Present(0));
    EXPECT_EQ(display.Alpha(), 0);
    EXPECT_TRUE(Shows(kInside, kBlue));
    EXPECT_FALSE(::IsWindowVisible(display.GetSafeHwnd()));
    ASSERT_TRUE(display.Present(255));
    EXPECT_TRUE(Shows(kInside, kRed));
}

TEST_F(LayeredDisplay, FadeStepsBlendWithTheBackground)
{
    ASSERT_TRUE(display.Present(178));
    ASSERT_TRUE(PumpUntil([] { return !Near(ScreenPixel(kInside.x, kInside.y), kBlue); }, 3000));
    if (Near(ScreenPixel(kInside.x, kInside.y), kRed))
        GTEST_SKIP() << "this screen shows partial alpha opaque (no compositor)";
    for (BYTE alpha : std::initializer_list<BYTE>{178, 160, 89, 17, 255})
        EXPECT_TRUE(Present(display, alpha) && Shows(kInside, Blend(alpha))) << int(alpha);
}

TEST_F(LayeredDisplay, ColourKeyCutsOutAndSurvivesFading)
{
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) display.Surface().SetPixel(x, y, 0); // the key: black
    display.SetColorKey(RGB(0, 0, 0));
    ASSERT_TRUE(display.Present(255));
    EXPECT_TRUE(Shows(kInside, kRed));
    EXPECT_TRUE(Shows(kKeyed, kBlue));
    // Fade steps keep the key: the corner never turns black. Without a
    // compositor partial steps look opaque, so only the key is checked then.
    ASSERT_TRUE(display.Present(178));
    const bool blends = Shows(kInside, Blend(178));
    EXPECT_TRUE(Shows(kKeyed, kBlue));
    ASSERT_TRUE(display.Present(100));
    if (blends) {
        EXPECT_TRUE(Shows(kInside, Blend(100)));
    }
    EXPECT_TRUE(Shows(kKeyed, kBlue));
    ASSERT_TRUE(display.Present(0));
    EXPECT_TRUE(Shows(kInside, kBlue));
    ASSERT_TRUE(display.Present(255));
    EXPECT_TRUE(Shows(kInside, kRed));
    EXPECT_TRUE(Shows(kKeyed, kBlue));
}

TEST_F(LayeredDisplay, PerPixelAlphaCutsOutTransparentPixels)
{
    display.SetPerPixelAlpha(true);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) display.Surface().SetPixel(x, y, 0x00000000);
    ASSERT_TRUE(display.Present(255));
    EXPECT_TRUE(Shows(kInside, kRed));
    EXPECT_TRUE(Shows(kKeyed, kBlue));
}

TEST_F(LayeredDisplay, GdiDrawingShowsWithoutPerPixelAlpha)
{
    // GDI leaves the alpha byte 0; only per-pixel alpha may make that transparent.
    RECT corner{0, 0, 20, 20};
    HBRUSH white = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    ::FillRect(display.Surface().Dc(), &corner, white);
    ASSERT_TRUE(display.Present(255));
    EXPECT_TRUE(Shows(kInside, kRed));
    EXPECT_TRUE(Shows(kKeyed, RGB(255, 255, 255)));
}

TEST_F(LayeredDisplay, NeverTakesActivationNorClicks)
{
    HWND under = background.GetSafeHwnd();
    ASSERT_EQ(::GetForegroundWindow(), under);
    ASSERT_TRUE(display.Present(255));
    ASSERT_TRUE(Shows(kInside, kRed));
    EXPECT_EQ(::GetForegroundWindow(), under);
    EXPECT_EQ(::GetActiveWindow(), under);
    EXPECT_EQ(display.SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(display.GetSafeHwnd()),
                                  MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
              MA_NOACTIVATE);

    // A real click on the display lands on the window under it.
    ::SetCursorPos(kInside.x, kInside.y);
    INPUT click[2]{};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(::SendInput(2, click, sizeof(INPUT)), 2u);
    ASSERT_TRUE(PumpUntil([&] { return background.clicks > 0; }, 3000));
    EXPECT_EQ(display.clicks, 0);
    EXPECT_EQ(::GetForegroundWindow(), under);
    EXPECT_EQ(::WindowFromPoint(kInside), under);
}

TEST_F(LayeredDisplay, NewPlaceWithANewSizeGetsANewPicture)
{
    ASSERT_TRUE(display.Place(RECT{120, 120, 180, 160}));
    EXPECT_EQ(display.Surface().Width(), 60);
    EXPECT_EQ(display.Surface().Height(), 40);
    EXPECT_EQ(display.Surface().Pixel(0, 0), 0u); // cleared
    display.Surface().Fill(kRedPixel);
    ASSERT_TRUE(display.Present(255));
    EXPECT_TRUE(Shows(POINT{150, 140}, kRed));
    EXPECT_TRUE(Shows(kInside, kBlue)); // no longer covered
    RECT window{};
    ::GetWindowRect(display.GetSafeHwnd(), &window);
    EXPECT_EQ(window.left, 120);
    EXPECT_EQ(window.bottom, 160);
    EXPECT_FALSE(display.Place(RECT{10, 10, 10, 40}));
}

TEST(LayeredWindow, NoWindowWithoutAPictureAndNoPresentWithoutAWindow)
{
    CLayeredWnd empty;
    EXPECT_FALSE(empty.Create(RECT{0, 0, 0, 10}));
    EXPECT_FALSE(empty.IsOpen());
    EXPECT_FALSE(empty.Present(255));
    CLayeredWnd gone;
    ASSERT_TRUE(gone.Create(RECT{0, 0, 10, 10}));
    ASSERT_TRUE(gone.DestroyWindow());
    EXPECT_FALSE(gone.Present(255));
}

TEST(DibSection, TopDownPictureSharedWithGdi)
{
    CDibSection dib;
    ASSERT_TRUE(dib.Create(8, 4));
    EXPECT_EQ(dib.Stride(), 32);
    EXPECT_EQ(dib.Pixel(7, 3), 0u);
    // GDI's first row is the first row in memory.
    RECT top{0, 0, 8, 1};
    HBRUSH green = ::CreateSolidBrush(RGB(0, 255, 0));
    ::FillRect(dib.Dc(), &top, green);
    ::DeleteObject(green);
    EXPECT_EQ(dib.Pixel(3, 0) & 0x00FFFFFF, 0x0000FF00u);
    EXPECT_EQ(dib.Bits()[5] & 0x00FFFFFF, 0x0000FF00u);
    EXPECT_EQ(dib.Pixel(3, 3), 0u);
    // And what is written to the bits is what GDI reads.
    dib.SetPixel(2, 3, 0xFF0000FF);
    EXPECT_EQ(::GetPixel(dib.Dc(), 2, 3), RGB(0, 0, 255));
}

TEST(DibSection, MakeOpaqueKeepsTheColours)
{
    CDibSection dib;
    ASSERT_TRUE(dib.Create(2, 1));
    dib.SetPixel(0, 0, 0x00123456);
    dib.SetPixel(1, 0, 0x80FFFFFF);
    dib.MakeOpaque();
    EXPECT_EQ(dib.Pixel(0, 0), 0xFF123456u);
    EXPECT_EQ(dib.Pixel(1, 0), 0xFFFFFFFFu);
}

TEST(DibSection, OutsideThePictureNothingIsTouched)
{
    CDibSection dib;
    ASSERT_TRUE(dib.Create(3, 2));
    dib.Fill(0x11223344);
    for (POINT p : {POINT{-1, 0}, POINT{3, 0}, POINT{0, 2}, POINT{0, -1}}) {
        dib.SetPixel(p.x, p.y, 0xFFFFFFFF);
        EXPECT_EQ(dib.Pixel(p.x, p.y), 0u);
    }
    for (int i = 0; i < 6; ++i) EXPECT_EQ(dib.Bits()[i], 0x11223344u);
}

TEST(DibSection, BadSizesLeaveItEmpty)
{
    CDibSection dib;
    ASSERT_TRUE(dib.Create(4, 4));
    EXPECT_FALSE(dib.Create(0, 4));
    EXPECT_FALSE(dib.IsValid());
    EXPECT_EQ(dib.Dc(), nullptr);
    EXPECT_EQ(dib.Width(), 0);
    EXPECT_FALSE(dib.Create(4, -1));
    dib.Fill(0xFFFFFFFF); // harmless when empty
    EXPECT_EQ(dib.Pixel(0, 0), 0u);
    EXPECT_TRUE(dib.Create(2, 2));
    EXPECT_TRUE(dib.IsValid());
}

} // namespace
