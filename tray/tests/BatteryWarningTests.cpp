// The battery-health check against a firmware double and the real registry,
// and the pop-up built from the tray's own dialog and texts, on the screen.
#include "BatteryCalls.h"
#include "BatteryHealthCheck.h"
#include "BatteryWarningDlg.h"
#include "BatteryWarningDlg_K7.h"
#include "DialogTestSupport.h"
#include "RecordingBios.h"
#include "RegistryValueGuard.h"
#include "ScreenShot.h"
#include "SettingNames.h"
#include "TestPump.h"
#include "Settings.h"
#include "TavrinResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

using namespace setting_names;

constexpr uint32_t kSupported = 1u << 17;
constexpr uint32_t kIndexPresent = 1u << 16;
constexpr int kNone = -1;

// Firmware whose batteries report the health indexes held here (-1: none),
// changed by the test between reads.
struct HealthFirmware : RecordingBios {
    int primary = kNone;
    int secondary = kNone;
    HealthFirmware(int p, int s) : primary(p), secondary(s)
    {
        script = [this](BiosCallBuffer& b) {
            if (b.cbClass != battery_calls::kStatusClass) return false;
            const int health = b.cbSelect == 2 ? secondary : primary;
            b.cbRes1 = 0;
            b.cbRes2 = health < 0 ? 0 : kSupported | kIndexPresent;
            b.cbRes3 = health < 0 ? 0 : static_cast<uint32_t>(health) << 16;
            return true;
        };
    }
};

struct Shown {
    int battery;
    int health;
};

struct RecordingPopup : CBatteryHealthCheck::IPopup {
    std::vector<Shown> shown;
    void Show(int battery, int health) override { shown.push_back({battery, health}); }
};

class HealthCheck : public ::testing::Test {
protected:
    RegistryValueGuard guard{CSettings::kKeyPath,
                             {kDisableBattPopUpPrimaryReplace, kDisableBattPopUpPrimaryTf,
                              kDisableBattPopUpSecReplace, kDisableBattPopUpSecTf}};
    CSettings settings;
    RecordingPopup recorder;
};

TEST_F(HealthCheck, OnlyAReplaceOrHeldOffHealthRaisesThePopupForTheSelectedBattery)
{
    struct Case {
        int primary, secondary;
        int battery, health; // 0: no pop-up
        const wchar_t* value; // the one that silences it
    };
    const Case cases[] = {
        {0, kNone, 1, 0, kDisableBattPopUpPrimaryReplace},
        {kNone, 4, 2, 4, kDisableBattPopUpSecTf},
        {3, 4, 0, 0, nullptr}, // the primary is selected: the smaller index
        {0, 0, 1, 0, kDisableBattPopUpPrimaryReplace},
        {4, kNone, 1, 4, kDisableBattPopUpPrimaryTf},
        {2, 0, 2, 0, kDisableBattPopUpSecReplace},
        {1, kNone, 0, 0, nullptr}, // end of life: the battery meter tells of it
        {3, 2, 0, 0, nullptr},
        {kNone, kNone, 0, 0, nullptr},
    };
    for (const Case& c : cases) {
        HealthFirmware bios(c.primary, c.secondary);
        recorder.shown.clear();
        CBatteryHealthCheck check(bios, settings, recorder);
        EXPECT_TRUE(recorder.shown.empty()) << "shown before the window asks";
        check.ShowHealthWarning();
        if (c.battery == 0) {
            EXPECT_TRUE(recorder.shown.empty()) << c.primary << "/" << c.secondary;
            continue;
        }
        ASSERT_EQ(recorder.shown.size(), 1u) << c.primary << "/" << c.secondary;
        EXPECT_EQ(recorder.shown[0].battery, c.battery) << c.primary << "/" << c.secondary;
        EXPECT_EQ(recorder.shown[0].health, c.health) << c.primary << "/" << c.secondary;
        guard.SetDword(c.value, 1);
        check.ShowHealthWarning();
        EXPECT_EQ(recorder.shown.size(), 1u) << c.primary << "/" << c.secondary << " not silenced";
        guard.SetDword(c.value, 0);
    }
}

TEST_F(HealthCheck, BothUnknownSelectsTheSecondaryAndShowsNothing)
{
    HealthFirmware bios(kNone, kNone);
    CBatteryHealthCheck check(bios, settings, recorder);
    EXPECT_EQ(check.SelectedBattery(), 2);
    EXPECT_EQ(check.SelectedHealth(), kNone);
    check.RecheckAndWarn();
    EXPECT_TRUE(recorder.shown.empty());
}

TEST_F(HealthCheck, ASilencedWarningStaysAwayUntilTheBatteryRecoversAndFailsAgain)
{
    HealthFirmware bios(0, kNone);
    guard.SetDword(kDisableBattPopUpPrimaryReplace, 1);
    CBatteryHealthCheck check(bios, settings, recorder);
    check.ShowHealthWarning();
    check.RecheckAndWarn();
    EXPECT_TRUE(recorder.shown.empty());
    EXPECT_EQ(settings.ReadDword(kDisableBattPopUpPrimaryReplace, 7), 1u);

    bios.primary = 2;
    check.RecheckAndWarn();
    EXPECT_TRUE(recorder.shown.empty());
    EXPECT_EQ(settings.ReadDword(kDisableBattPopUpPrimaryReplace, 7), 0u) << "not re-armed";

    bios.primary = 0;
    check.RecheckAndWarn();
    ASSERT_EQ(recorder.shown.size(), 1u);
    EXPECT_EQ(recorder.shown[0].health, 0);
}

TEST_F(HealthCheck, SilencingOneConditionLeavesTheOtherAndTheOtherBattery)
{
    HealthFirmware bios(4, kNone);
    guard.SetDword(kDisableBattPopUpPrimaryReplace, 1);
    guard.SetDword(kDisableBattPopUpSecTf, 1);
    CBatteryHealthCheck check(bios, settings, recorder);
    check.RecheckAndWarn();
    ASSERT_EQ(recorder.shown.size(), 1u);
    EXPECT_EQ(recorder.shown[0].battery, 1);
    EXPECT_EQ(recorder.shown[0].health, 4);
}

TEST(StarredText, TheStarsMarkTheLinkAndLeaveTheBody)
{
    const auto split = CBatteryWarningDlg_K7::SplitAtStars(L"To buy one, click *here*.");
    EXPECT_EQ(split.body, L"To buy one, click here.");
    EXPECT_EQ(split.link, L"here");
    const auto one = CBatteryWarningDlg_K7::SplitAtStars(L"Only *one star");
    EXPECT_EQ(one.body, L"Only *one star");
    EXPECT_EQ(one.link, L"");
    const auto three = CBatteryWarningDlg_K7::SplitAtStars(L"*a*b*");
    EXPECT_EQ(three.body, L"ab*");
    EXPECT_EQ(three.link, L"a");
    EXPECT_EQ(CBatteryWarningDlg_K7::SplitAtStars(L"").link, L"");
}

TEST(StarredText, TheHeightGrowsTwoLinesForEveryWidthTheTextSpans)
{
    EXPECT_EQ(CBatteryWarningDlg_K7::HeightFor(1500, 330, 13), 4 * 13 * 2 + 60);
    EXPECT_EQ(CBatteryWarningDlg_K7::HeightFor(329, 330, 13), 60);
    EXPECT_EQ(CBatteryWarningDlg_K7::HeightFor(660, 330, 13), 2 * 13 * 2 + 60);
    EXPECT_EQ(CBatteryWarningDlg_K7::HeightFor(500, 0, 13), 60) << "no window yet";
}

HWND Popup()
{
    return FindWindowWithControl(::GetCurrentProcessId(), IDC_BATTERY_WARNING_LINK);
}

bool Visible()
{
    const HWND popup = Popup();
    return popup != nullptr && ::IsWindowVisible(popup);
}

bool ShowsLink(const CScreenShot& shot)
{
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            if (Near(shot.At(x, y), CStaticEx::kDefaultLinkColour, 40)) return true;
    return false;
}

class WarningPopup : public HealthCheck {
protected:
    std::vector<std::wstring> launched;
    CBatteryWarningDlg::MeterLauncher Launcher()
    {
        return [this](const std::wstring& arguments) { launched.push_back(arguments); };
    }

    void Shoot(const std::wstring& name)
    {
        RECT place{};
        ::GetWindowRect(Popup(), &place);
        ::RedrawWindow(Popup(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        // Taken once the link is drawn in its colour.
        CScreenShot shot;
        ASSERT_TRUE(PumpUntil([&] { return shot.Take(place) && ShowsLink(shot); }));
        EXPECT_TRUE(shot.Save(ShotPath(TAVRIN_HEALTH_SHOTS, name)));
    }
};

TEST_F(WarningPopup, AReplaceWarningComesUpInTheCornerAndIsKeptBetweenShows)
{
    CBatteryWarningDlg dialog(Launcher());
    dialog.Show(1, 0);
    ASSERT_TRUE(PumpUntil(Visible));
    const HWND popup = Popup();
    EXPECT_EQ(WindowText(::GetDlgItem(popup, IDC_BATTERY_WARNING_TEXT)),
              L"Your battery needs to be replaced.");
    EXPECT_EQ(WindowText(::GetDlgItem(popup, IDC_BATTERY_WARNING_LINK)), L"Click here for more information");
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(popup, IDC_BATTERY_REPLACE_ICON)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(popup, IDC_BATTERY_END_OF_LIFE_ICON)));
    EXPECT_NE(::GetWindowLongW(popup, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    RECT place{}, screen{};
    ::GetWindowRect(popup, &place);
    ::GetWindowRect(::GetDesktopWindow(), &screen);
    EXPECT_EQ(place.right, screen.right - 50);
    EXPECT_EQ(place.bottom, screen.bottom - 100);
    Shoot(L"battery-warning-classic");

    // Closing silences nothing: that is the meter's health page's to do.
    ::PostMessageW(popup, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(popup); }));
    EXPECT_EQ(settings.ReadDword(kDisableBattPopUpPrimaryReplace, 0), 0u);

    dialog.Show(1, 0);
    ASSERT_TRUE(PumpUntil(Visible));
    EXPECT_EQ(Popup(), popup) << "the window is kept between shows";
    ::PostMessageW(popup, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(popup); }));
    EXPECT_TRUE(launched.empty());
}

TEST_F(WarningPopup, EnterOpensTheMeterOnTheSecondarysHealthAndCloses)
{
    CBatteryWarningDlg dialog(Launcher());
    dialog.Show(2, 0);
    ASSERT_TRUE(PumpUntil(Visible));
    const HWND popup = Popup();
    ::PostMessageW(popup, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(popup); }));
    EXPECT_EQ(launched, std::vector<std::wstring>{L" S H"});
    dialog.Show(1, 0);
    ASSERT_TRUE(PumpUntil(Visible));
    ::PostMessageW(popup, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(popup); }));
    EXPECT_EQ(launched.back(), L" P H");
}

TEST_F(WarningPopup, ChargingHeldOffShowsNothingInTheClassicStyle)
{
    CBatteryWarningDlg dialog(Launcher());
    dialog.Show(1, 4);
    // The window is made, then stays hidden: nothing to say for that health.
    ASSERT_TRUE(PumpUntil([] { return Popup() != nullptr; }));
    EXPECT_FALSE(::IsWindowVisible(Popup()));
}

TEST_F(WarningPopup, TheNewerStyleTellsOfChargingHeldOffWithTheStarredWordAsLink)
{
    CBatteryWarningDlg_K7 dialog(Launcher());
    dialog.Show(1, 0);
    ASSERT_TRUE(PumpUntil(Visible));
    const HWND popup = Popup();
    RECT replaceBody{};
    ::GetWindowRect(::GetDlgItem(popup, IDC_BATTERY_WARNING_TEXT), &replaceBody);
    ::PostMessageW(popup, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(popup); }));

    dialog.Show(1, 4);
    ASSERT_TRUE(PumpUntil(Visible));
    const std::wstring body = WindowText(::GetDlgItem(popup, IDC_BATTERY_WARNING_TEXT));
    EXPECT_EQ(body.find(L'*'), std::wstring::npos);
    EXPECT_NE(body.find(L"Battery charging is temporarily disabled."), std::wstring::npos);
    EXPECT_EQ(WindowText(::GetDlgItem(popup, IDC_BATTERY_WARNING_LINK)), L"here");
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(popup, IDC_BATTERY_END_OF_LIFE_ICON)));
    RECT place{}, link{}, screen{};
    ::GetWindowRect(popup, &place);
    ::GetWindowRect(::GetDlgItem(popup, IDC_BATTERY_WARNING_LINK), &link);
    ::GetWindowRect(::GetDesktopWindow(), &screen);
    POINT client{};
    ::ClientToScreen(popup, &client);
    EXPECT_GT(place.bottom - place.top, 60) << "not grown to the long text";
    EXPECT_EQ(link.top - client.y, place.bottom - place.top - 20) << "the link is not under the text";
    EXPECT_LE(link.bottom, place.bottom) << "the link is cut off";
    EXPECT_EQ(place.bottom, screen.bottom - 100);
    Shoot(L"battery-warning-k7-charging");
    ::PostMessageW(popup, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(popup); }));

    // Back to the template's layout for the replace text.
    dialog.Show(1, 0);
    ASSERT_TRUE(PumpUntil(Visible));
    RECT again{};
    ::GetWindowRect(::GetDlgItem(popup, IDC_BATTERY_WARNING_TEXT), &again);
    EXPECT_EQ(again.right - again.left, replaceBody.right - replaceBody.left);
    EXPECT_EQ(again.bottom - again.top, replaceBody.bottom - replaceBody.top);
    Shoot(L"battery-warning-k7-replace");
}

} // namespace
