#include "FrameWnd.h"
#include "GdiplusSession.h"
#include "KbdDialog.h"
#include "OsdDrawing.h"
#include "OsdPictures.h"
#include "OsdResources.h"
#include "RadioDlg1.h"
#include "RadioDlg3.h"
#include "RecordingBios.h"
#include "RegistryValueGuard.h"
#include "ScreenShot.h"
#include "SettingNames.h"
#include "Settings.h"
#include "StatusGeometry.h"
#include "StatusOsdFactory.h"
#include "WirelessCtrlBIOS.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

using namespace osd_geometry;
using namespace radiostatus;

namespace {

constexpr COLORREF kBackdrop = RGB(40, 110, 60);
// The pictures' colours (make-drawings.py): the dialog style's symbols on and
// the cross of an off radio, the panel's white symbols, the bitmap tiles' lit
// ring, the outline symbols and the keyboard's lit keys.
constexpr COLORREF kDialogOn = RGB(0x1F, 0x63, 0xB0);
constexpr COLORREF kDialogCross = RGB(0xD8, 0x32, 0x2A);
constexpr COLORREF kLegacyLamp = RGB(0x39, 0xB5, 0x4A);
constexpr COLORREF kPanelCross = RGB(0xFF, 0x9A, 0x85);
constexpr COLORREF kTileRing = RGB(0x62, 0xCD, 0xF5);
constexpr COLORREF kOutlineSymbol = RGB(0xF3, 0xF7, 0xFB);
constexpr COLORREF kOutlineCross = RGB(0xFF, 0x7F, 0x6B);
constexpr COLORREF kKeyLight = RGB(0xFF, 0xD8, 0x66);
constexpr COLORREF kStatusPanel = RGB(0x65, 0x79, 0xA2);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr DWORD kQuickLookMs = 1500;

constexpr uint32_t kAllRadios = kWifiInstalled | kBluetoothInstalled | kWwanInstalled;

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (done()) return true;
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= timeoutMs) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(timeoutMs - elapsed, 20), QS_ALLINPUT);
    }
}

std::wstring ShotPath(const std::wstring& name)
{
    const std::wstring folder = TAVRIN_OSD_SHOTS;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\" + name + L".png";
}

RECT WindowPlace(HWND window)
{
    RECT place{};
    ::GetWindowRect(window, &place);
    return place;
}

// Pixels in a box of the shot near a colour (drawn straight or over the backdrop at `alpha`).
int CountNear(const CScreenShot& shot, const RECT& box, COLORREF colour, int alpha = 255, int tolerance = 24)
{
    const COLORREF blended = Blend(colour, kBackdrop, alpha);
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            const COLORREF c = shot.At(x, y);
            if (Near(c, colour, tolerance) || Near(c, blended, tolerance)) ++count;
        }
    return count;
}

// A radio-control and keyboard firmware: the status word, the older state
// call, the selector, the light; disable calls are recorded.
class StatusFirmware {
public:
    explicit StatusFirmware(RecordingBios& bios)
    {
        bios.script = [this](BiosCallBuffer& b) { return Answer(b); };
    }

    bool radioFunction = true;
    uint32_t status = kAllRadios | kRadiosOn;
    uint32_t legacyState = 1;
    int32_t selector = 1;
    uint32_t lightState = 1; // level + 1
    uint32_t lightLevels = 3;
    std::vector<uint32_t> disables; // cbArg1 of every disable call

private:
    bool Answer(BiosCallBuffer& b)
    {
        b.cbRes1 = 0;
        if (b.cbClass == 0x0011 && b.cbSelect == 0x000B) {
            if (!radioFunction) {
                b.cbRes1 = -1;
            } else if ((b.cbArg1 & 0xFF) == 0x01) {
                disables.push_back(b.cbArg1);
            } else {
                b.cbRes2 = (b.cbArg1 & 0xFF) == 0 ? status : 0;
            }
            return true;
        }
        if (b.cbClass == 0x0011 && b.cbSelect == 0x0002) {
            b.cbRes2 = legacyState;
            return true;
        }
        if (b.cbClass == 0x0004 && b.cbSelect == 0x000B) {
            if (b.cbArg1 == 0x00) b.cbRes3 = lightLevels << 16;
            if (b.cbArg1 == 0x01) {
                b.cbRes2 = lightState;
                b.cbRes3 = (lightState > 0 ? lightState - 1 : 0) << 16;
            }
            if (b.cbArg1 == 0x10) b.cbRes2 = static_cast<uint32_t>(selector);
            return true;
        }
        b.cbRes1 = -1;
        return true;
    }
};

class StatusShots : public ::testing::Test {
protected:
    void SetUp() override
    {
        static const HBRUSH backdrop = ::CreateSolidBrush(kBackdrop);
        CWnd::ClassInfo info;
        info.background = backdrop;
        ASSERT_TRUE(CFrameWnd::RegisterFrameClass(L"StatusShotsBackdrop", info));
        ASSERT_TRUE(m_backdrop.Create(L"StatusShotsBackdrop", L"desktop behind the displays", WS_POPUP));
        const OsdSize screen = osd_drawing::DesktopSize();
        ::SetWindowPos(m_backdrop.GetSafeHwnd(), HWND_BOTTOM, 0, 0, screen.width, screen.height,
                       SWP_SHOWWINDOW | SWP_NOACTIVATE);
        CScreenShot before;
        ASSERT_TRUE(PumpUntil([&] {
            return before.Take({0, 0, screen.width, screen.height})
                   && Near(before.At(screen.width - 40, screen.height - 40), kBackdrop, 2)
                   && Near(before.At(screen.width / 2, screen.height * 3 / 4), kBackdrop, 2);
        })) << "the backdrop never showed";
        for (const wchar_t* name : {setting_names::kRadioDlgX, setting_names::kRadioDlgY,
                                    setting_names::kKbdDlgX, setting_names::kKbdDlgY})
            m_positions.Delete(name);
    }

    // A radio display of the style for the firmware's present state, shown.
    std::unique_ptr<CRadioDlg> OpenRadio(int style, bool selector = false)
    {
        m_wireless = std::make_unique<CWirelessCtrlBIOS>(m_bios);
        RadioDlgParams params;
        params.radio = m_wireless.get();
        params.bios = &m_bios;
        params.choiceApplied = [this](bool on) { applied.push_back(on); };
        auto display = CreateRadioDlg(style, params);
        display->SetSelectorMode(selector);
        EXPECT_TRUE(display->Open());
        return display;
    }

    void Press(CRadioDlg& display)
    {
        if (m_wireless->CallsValid()) {
            m_wireless->RadioStatusRead(0, 0);
        } else {
            int32_t legacy = 0;
            m_wireless->LegacyRadioStateGet(legacy);
        }
        display.Refresh();
        display.Show(true);
        display.Start();
    }

    std::unique_ptr<CKbdDialog> OpenKeyboard(int style, bool reported = true)
    {
        KbdDialogParams params;
        params.bios = &m_bios;
        params.lightReported = reported;
        auto display = CreateKbdDialog(style, params);
        EXPECT_TRUE(display->Open());
        return display;
    }

    bool Capture(HWND window, CScreenShot& shot, const std::wstring& name,
                 const std::function<bool(const CScreenShot&)>& ready, DWORD timeoutMs = kQuickLookMs)
    {
        const bool shown = PumpUntil(
            [&] { return ::IsWindowVisible(window) && shot.Take(WindowPlace(window)) && ready(shot); },
            timeoutMs);
        EXPECT_TRUE(shot.Save(ShotPath(name))) << "could not save the picture";
        return shown;
    }

    RecordingBios m_bios;
    StatusFirmware firmware{m_bios};
    std::vector<bool> applied;
    CFrameWnd m_backdrop;
    RegistryValueGuard m_positions{CSettings::kKeyPath,
                                   {setting_names::kRadioDlgX, setting_names::kRadioDlgY,
                                    setting_names::kKbdDlgX, setting_names::kKbdDlgY}};

private:
    std::unique_ptr<CWirelessCtrlBIOS> m_wireless;
    CGdiplusSession m_gdiplus;
};

struct RadioCase {
    uint32_t status;
    int count;
    const wchar_t* name;
};

const RadioCase kRadioCases[] = {
    {kWifiInstalled | kRadiosOn, 1, L"wifi-on"},
    {kWifiInstalled | kWifiOff, 1, L"wifi-off"},
    {kWifiInstalled | kWwanInstalled | kRadiosOn, 2, L"wifi-wwan-on"},
    {kWifiInstalled | kWwanInstalled | kWifiOff | kWwanOff, 2, L"wifi-wwan-off"},
    {kAllRadios | kRadiosOn, 3, L"three-on"},
    {kAllRadios | kWifiOff | kBluetoothOff | kWwanOff, 3, L"three-off"},
};

bool CaseIsOn(const RadioCase& c)
{
    return (c.status & kRadiosOn) != 0;
}

// ---- Dialog style: one picture per radio -------------------------------------

TEST_F(StatusShots, DialogRadioShowsEachInstalledRadioOnOrOff)
{
    for (const RadioCase& c : kRadioCases) {
        firmware.status = c.status;
        auto display = OpenRadio(0);
        Press(*display);
        const HWND window = display->GetSafeHwnd();
        RECT client{};
        ::GetClientRect(window, &client);
        EXPECT_EQ(client.right, c.count * 52) << c.name;
        EXPECT_EQ(client.bottom, 48) << c.name;
        const bool on = CaseIsOn(c);
        CScreenShot shot;
        int symbols = 0;
        const bool shown
            = Capture(window, shot, L"style0-radio-" + std::wstring(c.name), [&](const CScreenShot& s) {
                  symbols = 0;
                  for (int i = 0; i < c.count; ++i) {
                      const int x = 1 + status_geometry::RadioDialogPictureX(i, 48);
                      const RECT box{x, 1, x + 46, 47};
                      const bool blue = CountNear(s, box, kDialogOn) > 40;
                      const bool cross = CountNear(s, box, kDialogCross) > 40;
                      symbols += (on ? blue && !cross : cross && !blue) ? 1 : 0;
                  }
                  return symbols == c.count;
              });
        EXPECT_TRUE(shown) << c.name << ": " << symbols << " of " << c.count << " pictures as expected";
    }
}

TEST_F(StatusShots, DialogRadioWithoutTheRadioFunctionShowsTheOlderState)
{
    firmware.radioFunction = false;
    for (uint32_t legacy : {1u, 0u}) {
        firmware.legacyState = legacy;
        auto display = OpenRadio(0);
        Press(*display);
        EXPECT_EQ(display->PictureId(),
                  legacy ? static_cast<UINT>(IDB_RADIO_LEGACY_ON) : IDB_RADIO_LEGACY_OFF);
        const HWND window = display->GetSafeHwnd();
        RECT client{};
        ::GetClientRect(window, &client);
        EXPECT_EQ(client.right, 75);
        EXPECT_EQ(client.bottom, 91);
        CScreenShot shot;
        EXPECT_TRUE(Capture(window, shot, legacy ? L"style0-radio-legacy-on" : L"style0-radio-legacy-off",
                            [&](const CScreenShot& s) {
                                const bool lamp = CountNear(s, {30, 73, 46, 89}, kLegacyLamp) > 20;
                                const bool cross = CountNear(s, {1, 1, 74, 90}, kDialogCross) > 40;
                                return legacy ? lamp && !cross : cross && !lamp;
                            }))
            << "legacy state " << legacy;
    }
}

TEST_F(StatusShots, DialogRadioReturnsToItsSavedPlaceAndForgetsOneOffTheDesktop)
{
    firmware.status = kWifiInstalled | kRadiosOn;
    m_positions.SetDword(setting_names::kRadioDlgX, 0);
    m_positions.SetDword(setting_names::kRadioDlgY, 200);
    {
        auto display = OpenRadio(0);
        Press(*display);
        EXPECT_EQ(WindowPlace(display->GetSafeHwnd()).left, 0);
        EXPECT_EQ(WindowPlace(display->GetSafeHwnd()).top, 200);
        ::SetWindowPos(display->GetSafeHwnd(), nullptr, 150, 170, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        display->Close();
        EXPECT_EQ(m_positions.GetDword(setting_names::kRadioDlgX), 150u);
        EXPECT_EQ(m_positions.GetDword(setting_names::kRadioDlgY), 170u);
    }
    const OsdSize screen = osd_drawing::DesktopSize();
    m_positions.SetDword(setting_names::kRadioDlgX, static_cast<DWORD>(screen.width + 10));
    m_positions.SetDword(setting_names::kRadioDlgY, 10);
    auto display = OpenRadio(0);
    Press(*display);
    const RECT place = WindowPlace(display->GetSafeHwnd());
    EXPECT_EQ(place.left, screen.width - (place.right - place.left) - 100);
    EXPECT_EQ(place.top, screen.height - 120);
}

// ---- Panel style -----------------------------------------------------------------

TEST_F(StatusShots, PanelRadioDrawsTheRadiosSideBySideOnItsPanel)
{
    for (const RadioCase& c : kRadioCases) {
        firmware.status = c.status;
        auto display = OpenRadio(1);
        Press(*display);
        const HWND window = display->GetSafeHwnd();
        const RECT place = WindowPlace(window);
        EXPECT_EQ(place.right - place.left, c.count * 51 + 45) << c.name;
        EXPECT_EQ(place.bottom - place.top, 96) << c.name;
        const bool on = CaseIsOn(c);
        CScreenShot shot;
        int symbols = 0;
        const bool shown
            = Capture(window, shot, L"style1-radio-" + std::wstring(c.name), [&](const CScreenShot& s) {
                  if (CountNear(s, {10, 40, 18, 56}, kStatusPanel, 191, 16) < 100) return false;
                  symbols = 0;
                  for (int i = 0; i < c.count; ++i) {
                      const RECT box{24 + 48 * i, 24, 72 + 48 * i, 72};
                      const bool white = CountNear(s, box, kWhite) > 60;
                      const bool cross = CountNear(s, box, kPanelCross) > 25;
                      symbols += (on ? white && !cross : cross && !white) ? 1 : 0;
                  }
                  return symbols == c.count;
              });
        EXPECT_TRUE(shown) << c.name << ": " << symbols << " of " << c.count << " symbols as expected";
    }
}

// ---- Bitmap style: the on and off tiles, hold and fade, the selector ------------

// The lit ring shows on the left (on) tile or the right (off) tile.
int RingPixels(const CScreenShot& s, const RECT& place, bool left)
{
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    const RECT half = left ? RECT{0, 0, width / 2, height} : RECT{width / 2, 0, width, height};
    return CountNear(s, half, kTileRing, 178, 20);
}

TEST_F(StatusShots, BitmapRadioLightsTheTileOfTheRadiosState)
{
    for (const RadioCase& c : {kRadioCases[0], kRadioCases[5]}) {
        firmware.status = c.status;
        auto display = OpenRadio(2);
        Press(*display);
        const bool on = CaseIsOn(c);
        EXPECT_EQ(display->PictureId(), on ? 424u : 425u);
        const HWND window = display->GetSafeHwnd();
        const RECT place = WindowPlace(window);
        const OsdSize screen = osd_drawing::DesktopSize();
        EXPECT_EQ(place.right - place.left, screen.width * 180 / 1280) << "half the picture on a 1280 screen";
        CScreenShot shot;
        EXPECT_TRUE(Capture(window, shot, L"style2-radio-" + std::wstring(c.name), [&](const CScreenShot& s) {
            return RingPixels(s, place, on) > 40 && RingPixels(s, place, !on) < 5;
        })) << c.name;
    }
}

TEST_F(StatusShots, BitmapRadioWithoutRadiosHasNothingToShow)
{
    firmware.status = kBluetoothInstalled | kBluetoothHidden | kRadiosOn;
    auto display = OpenRadio(2);
    Press(*display);
    EXPECT_FALSE(display->HasPictures());
}

TEST_F(StatusShots, SelectorMovesTheHighlightAndSwitchesTheRadiosOffAfterTheFade)
{
    firmware.status = kAllRadios | kRadiosOn;
    auto display = OpenRadio(2, true);
    ASSERT_TRUE(display->SelectorMode());
    Press(*display);
    EXPECT_EQ(display->PictureId(), 424u);
    Press(*display);
    EXPECT_EQ(display->PictureId(), 425u);
    const HWND window = display->GetSafeHwnd();
    const RECT place = WindowPlace(window);
    CScreenShot shot;
    EXPECT_TRUE(Capture(window, shot, L"style2-radio-selector-off",
                        [&](const CScreenShot& s) { return RingPixels(s, place, false) > 40; }));
    EXPECT_TRUE(firmware.disables.empty()) << "nothing is switched while the display is up";
    ASSERT_TRUE(PumpUntil([&] { return !display->HasWindow(); }, 5000)) << "the display never faded out";
    ASSERT_EQ(firmware.disables.size(), 1u);
    EXPECT_EQ(firmware.disables[0], 0x00010001u) << "all radios, disable";
    EXPECT_EQ(applied, std::vector<bool>{false});
}

TEST_F(StatusShots, SelectorWithoutAvailabilityOnlyShowsTheState)
{
    firmware.status = kAllRadios | kRadiosOn;
    firmware.selector = 0;
    auto display = OpenRadio(2, true);
    EXPECT_FALSE(display->SelectorMode());
    for (int press = 0; press < 3; ++press) {
        Press(*display);
        EXPECT_EQ(display->PictureId(), 424u) << "press " << press;
    }
    ASSERT_TRUE(PumpUntil([&] { return !display->HasWindow(); }, 5000));
    EXPECT_TRUE(firmware.disables.empty());
    EXPECT_TRUE(applied.empty());
}

// ---- Outline style -------------------------------------------------------------------

TEST_F(StatusShots, OutlineRadioCentresTheSymbolOnItsPanel)
{
    for (const RadioCase& c : {kRadioCases[2], kRadioCases[3]}) {
        firmware.status = c.status;
        auto display = OpenRadio(3);
        Press(*display);
        const HWND window = display->GetSafeHwnd();
        const RECT place = WindowPlace(window);
        const OsdSize screen = osd_drawing::DesktopSize();
        const int side = (screen.width >= 1440 && screen.height >= 900) ? 210 : 140;
        EXPECT_EQ(place.right - place.left, side);
        EXPECT_EQ(place.left, (screen.width - side) / 2);
        EXPECT_EQ(place.top, screen.height * 3 / 4 - side / 2);
        const bool on = CaseIsOn(c);
        const int third = side / 3;
        const RECT middle{third, third, side - third, side - third};
        CScreenShot shot;
        EXPECT_TRUE(Capture(window, shot, L"style3-radio-" + std::wstring(c.name), [&](const CScreenShot& s) {
            const bool symbol = CountNear(s, middle, kOutlineSymbol, 191) > 40;
            const bool cross = CountNear(s, {0, 0, side, side}, kOutlineCross, 191) > 30;
            // The keyed corners let the desktop through.
            return symbol && cross != on && Near(s.At(1, 1), kBackdrop, 8);
        })) << c.name;
    }
}

// ---- Keyboard light ---------------------------------------------------------------

TEST_F(StatusShots, DialogKeyboardLightShowsDarkOrLitKeys)
{
    for (uint32_t state : {1u, 3u}) {
        firmware.lightState = state;
        auto display = OpenKeyboard(0);
        ASSERT_TRUE(display->Refresh(false));
        display->Show(true);
        const bool lit = state > 1;
        EXPECT_EQ(display->Level(), lit ? 2 : 0);
        const HWND window = display->GetSafeHwnd();
        EXPECT_EQ(::IsWindowVisible(::GetDlgItem(window, IDC_KBD_PICTURE_LIT)) != FALSE, lit);
        EXPECT_EQ(::IsWindowVisible(::GetDlgItem(window, IDC_KBD_PICTURE_DARK)) != FALSE, !lit);
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(window, IDC_KBD_PICTURE_KEYBOARD)));
        CScreenShot shot;
        EXPECT_TRUE(
            Capture(window, shot, lit ? L"style0-keyboard-lit" : L"style0-keyboard-dark",
                    [&](const CScreenShot& s) {
                        const int keys = CountNear(s, {0, 0, 51, 52}, kKeyLight);
                        return lit ? keys > 60 : keys == 0 && CountNear(s, {0, 0, 51, 52}, kBackdrop) == 0;
                    }))
            << "state " << state;
    }
}

TEST_F(StatusShots, DialogKeyboardLightWithoutAnAnswerIsNotShown)
{
    firmware.lightState = 0;
    auto display = OpenKeyboard(0);
    EXPECT_FALSE(display->Refresh(false));
    // A level the firmware reported needs no answer.
    display->SetLevel(1);
    EXPECT_TRUE(display->Refresh(true));
}

// White pixels of the level number, centred on y = 24 above the symbol's keys.
int NumberPixels(const CScreenShot& s)
{
    return CountNear(s, {36, 14, 60, 30}, kWhite, 255, 30);
}

TEST_F(StatusShots, PanelKeyboardLightShowsTheLevelNumberOnlyWithSeveralLevels)
{
    struct Case {
        uint32_t levels;
        uint32_t state;
        bool number;
        const wchar_t* name;
    };
    for (const Case& c :
         {Case{3, 1, false, L"style1-keyboard-dark"}, Case{3, 3, true, L"style1-keyboard-level2"},
          Case{1, 2, false, L"style1-keyboard-single-level"}}) {
        firmware.lightLevels = c.levels;
        firmware.lightState = c.state;
        auto display = OpenKeyboard(1);
        EXPECT_TRUE(display->Supported());
        EXPECT_EQ(display->Levels(), static_cast<int>(c.levels));
        ASSERT_TRUE(display->Refresh(false)) << c.name;
        display->Show(true);
        const HWND window = display->GetSafeHwnd();
        const RECT place = WindowPlace(window);
        EXPECT_EQ(place.right - place.left, 96);
        const bool lit = c.state > 1;
        CScreenShot shot;
        int number = 0;
        EXPECT_TRUE(Capture(window, shot, c.name,
                            [&](const CScreenShot& s) {
                                number = NumberPixels(s);
                                const bool keys = CountNear(s, {24, 24, 72, 72}, kKeyLight) > 20;
                                return CountNear(s, {8, 40, 16, 56}, kStatusPanel, 191, 16) > 50
                                       && keys == lit && (c.number ? number > 15 : number == 0);
                            }))
            << c.name << ": " << number << " pixels of a number";
    }
}

TEST_F(StatusShots, PanelKeyboardLightWithoutTheLightHasNoWindow)
{
    auto display = OpenKeyboard(1, false);
    EXPECT_FALSE(display->Supported());
    EXPECT_FALSE(display->Refresh(false));
    EXPECT_FALSE(display->HasWindow());
}

TEST_F(StatusShots, BitmapStylesOnlyReadTheLevel)
{
    firmware.lightState = 4;
    KbdDialogParams params;
    params.bios = &m_bios;
    params.lightReported = true;
    auto display = CreateKbdDialog(2, params);
    EXPECT_FALSE(display->HasDisplay());
    EXPECT_FALSE(display->Refresh(false));
    EXPECT_EQ(display->Level(), 3);
    firmware.lightState = 0;
    EXPECT_FALSE(display->Refresh(false));
    EXPECT_EQ(display->Level(), 0) << "no answer reads as off";
}

} // namespace
