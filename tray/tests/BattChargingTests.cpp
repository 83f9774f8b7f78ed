// The charging notice against a firmware double, on the screen.
#include "BattChargingDlg.h"
#include "BatteryCalls.h"
#include "DialogTestSupport.h"
#include "RecordingBios.h"
#include "ScreenShot.h"
#include "StaticEx.h"
#include "TavrinResources.h"
#include "TestPump.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ChargingNoticeLayout, ANarrowTextGetsTheLeastWidthAndAWideOneGrowsIt)
{
    const RECT screen{0, 0, 1024, 768};
    const auto narrow = CBattChargingDlg::LayoutFor({100, 13}, 6, {32, 32}, screen);
    // 1.2 × 32 + 1.2 × (100 + 6) = 38 + 127 = 165 < 236.
    EXPECT_EQ(narrow.window.cx, 250);
    EXPECT_EQ(narrow.window.cy, 48 + 4) << "one and a half icons are more than three lines";
    EXPECT_EQ(narrow.origin.x, 1024 - 250 * 5 / 4);
    EXPECT_EQ(narrow.origin.y, 768 - 3 * 52);

    const auto wide = CBattChargingDlg::LayoutFor({300, 20}, 7, {32, 32}, screen);
    EXPECT_EQ(wide.window.cx, 14 + 38 + 368);
    EXPECT_EQ(wide.window.cy, 3 * 20 + 4);

    // Either side of the threshold: the least width, then the content's.
    EXPECT_EQ(CBattChargingDlg::LayoutFor({195, 13}, 0, {0, 0}, screen).window.cx, 250);
    EXPECT_EQ(CBattChargingDlg::LayoutFor({198, 13}, 0, {0, 0}, screen).window.cx, 14 + 237);
}

// Firmware that can hold charging off and says whether it does now.
struct ChargeFirmware : RecordingBios {
    bool supported = true;
    bool disabled = true;
    ChargeFirmware()
    {
        script = [this](BiosCallBuffer& b) {
            if (b.cbClass != battery_calls::kChargeControlClass
                || b.cbSelect != battery_calls::kChargeControlSelect)
                return false;
            b.cbRes1 = 0;
            b.cbRes2 = (supported ? battery_calls::kChargeDisableSupported : 0)
                       | (disabled ? battery_calls::kChargingDisabled : 0);
            return true;
        };
    }
};

HWND Notice()
{
    return FindWindowWithControl(::GetCurrentProcessId(), IDC_BATTERY_CHARGING_LINK);
}

bool Visible()
{
    const HWND notice = Notice();
    return notice != nullptr && ::IsWindowVisible(notice);
}

class ChargingNotice : public ::testing::Test {
protected:
    ChargeFirmware bios;
    int launched = 0;
    bool desktopOpen = true;
    int desktopChecks = 0;
    CBattChargingDlg notice{bios, [this] { ++launched; },
                            [this] {
                                ++desktopChecks;
                                return desktopOpen;
                            }};
};

TEST_F(ChargingNotice, ShowsOnlyWhenTheFirmwareHoldsChargingOff)
{
    bios.disabled = false;
    notice.CheckAndShow();
    EXPECT_EQ(Notice(), nullptr) << "charging goes on, yet a notice";

    bios.disabled = true;
    notice.CheckAndShow();
    ASSERT_TRUE(PumpUntil(Visible));
    const HWND window = Notice();
    EXPECT_EQ(WindowText(::GetDlgItem(window, IDC_BATTERY_CHARGING_TEXT)), L"Battery charging is disabled.");
    EXPECT_EQ(WindowText(::GetDlgItem(window, IDC_BATTERY_CHARGING_LINK)), L"Show Settings");
    EXPECT_NE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(::GetWindowLongW(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);

    RECT place{}, screen{};
    ::GetWindowRect(window, &place);
    ::GetWindowRect(::GetDesktopWindow(), &screen);
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    EXPECT_GE(width, 250);
    EXPECT_EQ(place.left, screen.right - width * 5 / 4);
    EXPECT_EQ(place.top, screen.bottom - 3 * height);

    // The link sits inside the window, beside the icon.
    RECT link{}, icon{};
    ::GetWindowRect(::GetDlgItem(window, IDC_BATTERY_CHARGING_LINK), &link);
    ::GetWindowRect(::GetDlgItem(window, IDC_BATTERY_CHARGING_ICON), &icon);
    EXPECT_LE(link.right, place.right);
    EXPECT_LE(link.bottom, place.bottom);
    EXPECT_GE(link.left, icon.right);

    // The corners are cut round, the body is painted in the notice's colour
    // and the link in the link colour.
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    CScreenShot shot;
    const auto painted = [&] {
        if (!shot.Take(place)) return false;
        bool linkDrawn = false;
        for (int y = 0; y < shot.Height() && !linkDrawn; ++y)
            for (int x = 0; x < shot.Width() && !linkDrawn; ++x)
                linkDrawn = Near(shot.At(x, y), CStaticEx::kDefaultLinkColour, 40);
        return linkDrawn && Near(shot.At(width / 2, 2), CBattChargingDlg::kBackground, 8);
    };
    ASSERT_TRUE(PumpUntil(painted)) << "the notice was not painted in its colours";
    EXPECT_FALSE(Near(shot.At(0, 0), CBattChargingDlg::kBackground, 8)) << "the corner is not cut";
    EXPECT_TRUE(shot.Save(ShotPath(TAVRIN_HEALTH_SHOTS, L"battery-charging-notice")));
    notice.Hide();
}

TEST_F(ChargingNotice, NothingWhenTheFirmwareCannotHoldChargingOff)
{
    bios.supported = false;
    CBattChargingDlg unsupported(
        bios, [] {}, [] { return true; });
    bios.supported = true; // asked once, at construction
    bios.requests.clear();
    unsupported.CheckAndShow();
    EXPECT_TRUE(bios.requests.empty()) << "asked again after saying it cannot";
    EXPECT_EQ(Notice(), nullptr);
}

TEST_F(ChargingNotice, WaitsForTheUsersDesktopThenGoesAfterItsTime)
{
    desktopOpen = false;
    notice.CheckAndShow();
    ASSERT_TRUE(PumpUntil(Visible));
    // Asked again and again while the desktop is locked, and held meanwhile.
    ASSERT_TRUE(PumpUntil([&] { return desktopChecks >= 3; }, 6000));
    EXPECT_TRUE(Visible()) << "gone before the desktop opened";

    desktopOpen = true;
    const DWORD opened = ::GetTickCount();
    ASSERT_TRUE(PumpUntil([] { return !Visible(); }, CBattChargingDlg::kDisplayMs + 3000));
    EXPECT_GE(::GetTickCount() - opened, CBattChargingDlg::kDisplayMs - 100);
    EXPECT_EQ(launched, 0);
}

TEST_F(ChargingNotice, TheLinkOrEnterOpensTheMeterAndEscapeJustCloses)
{
    notice.CheckAndShow();
    ASSERT_TRUE(PumpUntil(Visible));
    const HWND window = Notice();
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_BATTERY_CHARGING_LINK, STN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, IDC_BATTERY_CHARGING_LINK)));
    EXPECT_EQ(launched, 1);
    EXPECT_FALSE(::IsWindowVisible(window));

    notice.CheckAndShow();
    ASSERT_TRUE(PumpUntil(Visible));
    EXPECT_EQ(Notice(), window) << "the window is kept between shows";
    ::PostMessageW(window, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([] { return !Visible(); }));
    EXPECT_EQ(launched, 2);

    notice.CheckAndShow();
    ASSERT_TRUE(PumpUntil(Visible));
    ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(PumpUntil([] { return !Visible(); }));
    EXPECT_EQ(launched, 2);
}

} // namespace
