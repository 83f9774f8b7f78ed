// The brightness and volume displays of the running tray: raised by firmware
// events, keys typed into another process and changes of the simulated audio
// endpoint, seen as windows on the screen and in the dispatch trace.
#include "TrayDispatchFixture.h"

namespace {

constexpr DWORD kDisplayExStyle = WS_EX_LAYERED | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

class TrayDisplays : public TrayDispatch {
protected:
    // Collects trace lines until `line` arrives; `before` gets those ahead of it.
    bool WaitForLine(const std::string& line, Lines* before = nullptr, DWORD timeoutMs = 10000)
    {
        bool seen = false;
        WaitFor(
            [&] {
                for (std::string& next : NewLines()) {
                    if (seen) continue;
                    if (next == line) {
                        seen = true;
                    } else if (before) {
                        before->push_back(std::move(next));
                    }
                }
                return seen;
            },
            timeoutMs);
        return seen;
    }

    static bool Contains(const Lines& lines, const std::string& prefix)
    {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    }
};

// An idle tray has not paid for the drawing libraries: GDI+ and the common
// controls are loaded by its first display.
TEST_F(TrayDisplays, TheFirstDisplayLoadsTheDrawingLibraries)
{
    EXPECT_FALSE(HasModule(m_tray.id, L"gdiplus.dll"));
    EXPECT_FALSE(HasModule(m_tray.id, L"comctl32.dll"));
    Simctl(L"event 0xE006 9");
    ASSERT_TRUE(WaitForLine("entry DrawBrightnessLevel 9"));
    EXPECT_TRUE(HasModule(m_tray.id, L"gdiplus.dll"));
    EXPECT_TRUE(HasModule(m_tray.id, L"comctl32.dll"));
}

TEST_F(TrayDisplays, FirmwareBrightnessEventShowsItsLevelCentredBelowTheMiddleThenFadesAway)
{
    const HWND foreground = ::GetForegroundWindow();
    Simctl(L"event 0xE006 9");
    Lines lines;
    ASSERT_TRUE(WaitForLine("entry DrawBrightnessLevel 9", &lines));
    EXPECT_EQ(lines, (Lines{"bios 0xE006 9 0 0 0", "entry ShowBrightness 9 1"}));

    HWND display = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (display = ShownDisplay(m_tray.id)) != nullptr; }, 5000))
        << "no display window";
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(display, GWL_EXSTYLE));
    EXPECT_EQ(exStyle & kDisplayExStyle, kDisplayExStyle);
    EXPECT_EQ(::GetForegroundWindow(), foreground) << "a display never takes the focus";

    // The outline panel: the large one only from 1440 x 900 on.
    const int screenW = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenH = ::GetSystemMetrics(SM_CYSCREEN);
    const int side = screenW >= 1440 && screenH >= 900 ? 210 : 140;
    RECT rect{};
    ASSERT_TRUE(::GetWindowRect(display, &rect));
    EXPECT_EQ(rect.right - rect.left, side);
    EXPECT_EQ(rect.bottom - rect.top, side);
    EXPECT_EQ(rect.left, (screenW - side) / 2);
    EXPECT_EQ(rect.top, screenH * 3 / 4 - side / 2);

    // Held, faded and destroyed: nothing of it is left to cost time when idle.
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(display); }, 8000)) << "the display never went away";
}

// A window of this test in the foreground, shown until the object goes.
class ForegroundWindow {
public:
    ForegroundWindow(const wchar_t* title, int width, int height)
        : m_window(::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", title, WS_POPUP | WS_VISIBLE, 0, 0, width,
                                     height, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr))
    {
        ::SetForegroundWindow(m_window);
    }
    ~ForegroundWindow() { ::DestroyWindow(m_window); }
    ForegroundWindow(const ForegroundWindow&) = delete;
    ForegroundWindow& operator=(const ForegroundWindow&) = delete;

    bool InFront() const
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        return ::GetForegroundWindow() == m_window;
    }

private:
    HWND m_window;
};

TEST_F(TrayDisplays, AFullScreenProgramOrThePresentationLayoutSuppressesTheDisplay)
{
    const int screenW = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenH = ::GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        const wchar_t* title;
        int width, height;
    };
    for (const Case& c : {Case{L"A film", screenW, screenH}, Case{L"FullScreenTopLayout", 200, 100}}) {
        const ForegroundWindow front(c.title, c.width, c.height);
        ASSERT_TRUE(WaitFor([&] { return front.InFront(); }, 5000));
        Simctl(L"event 0xE006 9");
        const Lines lines = UntilMarker();
        EXPECT_EQ(lines, (Lines{"bios 0xE006 9 0 0 0", "entry ShowBrightness 9 1"}));
        EXPECT_EQ(ShownDisplay(m_tray.id), nullptr);
    }
    // Not shown, the level still goes into the plan: sixteen levels, level 9 is 60 %.
    EXPECT_NE(Simctl(L"power-plans").find("\"Balanced\" active brightness ac=60"), std::string::npos);
    // With the desktop in front again the display appears.
    Simctl(L"event 0xE006 9");
    ASSERT_TRUE(WaitForLine("entry DrawBrightnessLevel 9"));
}

TEST_F(TrayDisplays, BrightnessKeysMoveTheShownLevelOneStepPerPressWithinTheLevels)
{
    // The firmware has already moved the level when the first key arrives:
    // the tray reads it, then counts the presses while its display is up.
    Simctl(L"set setting 0x0320 7 14");
    // One press at a time, as a hand types: the hook's queue folds a key
    // pressed again before the tray took the first.
    Lines shown;
    for (const char* expected : {"14", "15", "15"}) {
        Type(L"d:E006 u:E006");
        ASSERT_TRUE(WaitForLine(std::string("entry DrawBrightnessLevel ") + expected, &shown));
    }
    Type(L"d:E005 u:E005");
    ASSERT_TRUE(WaitForLine("entry DrawBrightnessLevel 14", &shown));
    for (std::string& line : UntilMarker()) shown.push_back(std::move(line));
    EXPECT_FALSE(Contains(shown, "entry DrawBrightnessLevel")) << "a release moved the level again";
}

TEST_F(TrayDisplays, VolumeChangedByAnotherProgramShowsNothingButTheKeysDo)
{
    Lines lines;
    Simctl(L"volume 30");
    ASSERT_TRUE(WaitForLine("entry ShowVolumeChange 4294967295 0", &lines));
    Simctl(L"mute on");
    ASSERT_TRUE(WaitForLine("entry ShowVolumeChange 4294967295 1", &lines));
    EXPECT_FALSE(Contains(lines, "entry DrawVolume")) << "another program's change was shown";
    // The keys' own changes (no context) are shown, in 25 steps.
    Simctl(L"mute off --context keys");
    ASSERT_TRUE(WaitForLine("entry DrawVolume 8 0 0"));
    EXPECT_TRUE(WaitFor([&] { return ShownDisplay(m_tray.id) != nullptr; }, 5000));
    Simctl(L"volume 60 --context keys");
    EXPECT_TRUE(WaitForLine("entry DrawVolume 15 0 0"));
}

TEST_F(TrayDisplays, TheTrayFollowsANewDefaultEndpoint)
{
    Simctl(L"audio-default 2");
    ASSERT_TRUE(WaitForLine("entry RebindAudioEndpoint"));
    // Only a tray bound to the new endpoint hears this change.
    Simctl(L"volume 80 --context keys");
    ASSERT_TRUE(WaitForLine("entry DrawVolume 20 0 0"));
    EXPECT_NE(Simctl(L"audio").find("\"Headphones\" default volume=80%"), std::string::npos);
}

// The slider style: its volume display counts percent, and the volume keys
// show it at the ends of the range, where Windows sends no notice.
class TraySliderDisplays : public TrayDisplays {
protected:
    void Configure() override { settings.SetDword(L"TavrinControl", 0x0010); }
};

TEST_F(TraySliderDisplays, VolumeKeyAtTheTopOfTheRangeShowsTheDisplayOncePerPress)
{
    Simctl(L"volume 75 --context keys");
    ASSERT_TRUE(WaitForLine("entry DrawVolume 75 0 0"));
    Simctl(L"volume 100 --context keys");
    ASSERT_TRUE(WaitForLine("entry DrawVolume 100 0 0"));
    // One press at a time (the hook's queue folds a key pressed again
    // before the tray took the first); a release shows nothing more.
    Lines shown;
    for (int press = 0; press < 2; ++press) {
        Type(L"d:E030 u:E030");
        ASSERT_TRUE(WaitForLine("entry DrawVolume 100 0 0", &shown));
    }
    for (std::string& line : UntilMarker()) shown.push_back(std::move(line));
    EXPECT_FALSE(Contains(shown, "entry DrawVolume")) << "a release showed the volume again";
}

} // namespace

// The panel style: when its display closes, the level it showed goes into
// the active power plan, so that Windows keeps the same brightness.
class TrayPanelDisplays : public TrayDisplays {
protected:
    void Configure() override { settings.SetDword(L"TavrinControl", 0x0002); }
};

TEST_F(TrayPanelDisplays, TheClosingDisplayWritesItsLevelIntoTheActivePlan)
{
    Simctl(L"event 0xE006 9");
    ASSERT_TRUE(WaitForLine("entry DrawBrightnessLevel 9"));
    HWND display = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (display = ShownDisplay(m_tray.id)) != nullptr; }, 5000));
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(display); }, 8000));
    // Sixteen levels: six percent each, level 9 is the tenth step.
    std::string plans;
    EXPECT_TRUE(WaitFor([&] {
        plans = Simctl(L"power-plans");
        return plans.find("\"Balanced\" active brightness ac=60 dc=60") != std::string::npos;
    })) << plans;
}
