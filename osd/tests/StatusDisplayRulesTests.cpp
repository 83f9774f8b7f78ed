#include "KeyboardFunctionBios.h"
#include "OsdPictures.h"
#include "RadioFlags.h"
#include "RadioSelector.h"
#include "RecordingBios.h"
#include "StatusGeometry.h"
#include "WirelessCtrlBIOS.h"

#include <gtest/gtest.h>

#include <vector>

using namespace radiostatus;

namespace {

// ---- Which radios are shown, and with which pictures ---------------------------

TEST(RadioFlagsTest, InstalledRadiosAndTheirOffBitsGiveThePicturesInOrder)
{
    const RadioFlags all
        = RadioFlags::FromStatus(kWifiInstalled | kBluetoothInstalled | kWwanInstalled | kRadiosOn);
    EXPECT_EQ(all.Count(), 3);
    EXPECT_EQ(all.DialogPictures(),
              (std::vector<UINT>{IDB_RADIO_WIFI_ON, IDB_RADIO_BLUETOOTH_ON, IDB_RADIO_WWAN_ON}));
    EXPECT_EQ(all.PanelPictures(),
              (std::vector<UINT>{IDB_PANEL_WIFI_ON, IDB_PANEL_BLUETOOTH_ON, IDB_PANEL_WWAN_ON}));

    // Each radio has its own off bit: only Bluetooth is off here.
    const RadioFlags one
        = RadioFlags::FromStatus(kWifiInstalled | kBluetoothInstalled | kWwanInstalled | kBluetoothOff);
    EXPECT_EQ(one.DialogPictures(),
              (std::vector<UINT>{IDB_RADIO_WIFI_ON, IDB_RADIO_BLUETOOTH_OFF, IDB_RADIO_WWAN_ON}));
    const RadioFlags off = RadioFlags::FromStatus(kWifiInstalled | kWwanInstalled | kWifiOff | kWwanOff);
    EXPECT_EQ(off.PanelPictures(), (std::vector<UINT>{IDB_PANEL_WIFI_OFF, IDB_PANEL_WWAN_OFF}));
    EXPECT_FALSE(off.radiosOn);
}

TEST(RadioFlagsTest, BluetoothCountsAsAbsentWhenTheStatusHidesIt)
{
    const RadioFlags hidden = RadioFlags::FromStatus(kWifiInstalled | kBluetoothInstalled | kBluetoothHidden);
    EXPECT_FALSE(hidden.bluetooth);
    EXPECT_EQ(hidden.Count(), 1);
    EXPECT_EQ(hidden.DialogPictures(), (std::vector<UINT>{IDB_RADIO_WIFI_ON}));
    // Bit 5 alone installs nothing.
    EXPECT_EQ(RadioFlags::FromStatus(kBluetoothHidden).Count(), 0);
}

TEST(RadioFlagsTest, TilesLegacyAndOutlinePictures)
{
    EXPECT_EQ(LegacyRadioPicture(1), static_cast<UINT>(IDB_RADIO_LEGACY_ON));
    EXPECT_EQ(LegacyRadioPicture(-2), static_cast<UINT>(IDB_RADIO_LEGACY_ON));
    EXPECT_EQ(LegacyRadioPicture(0), static_cast<UINT>(IDB_RADIO_LEGACY_OFF));
    EXPECT_EQ(RadioTilePicture(true), 424u);
    EXPECT_EQ(RadioTilePicture(false), 425u);
    EXPECT_EQ(OutlineRadioPicture(424, false), 430u);
    EXPECT_EQ(OutlineRadioPicture(425, false), 433u);
    EXPECT_EQ(OutlineRadioPicture(424, true), 431u);
    EXPECT_EQ(OutlineRadioPicture(425, true), 432u);
}

// ---- The two-choice selector -------------------------------------------------

TEST(RadioSelectorTest, FirstPressShowsTheStateFurtherPressesMoveTheHighlight)
{
    CRadioSelector selector;
    selector.SetActive(true);
    selector.Begin(1);
    selector.Press(true);
    EXPECT_TRUE(selector.ShowsOn(true));
    EXPECT_FALSE(selector.SelectionChanged());
    bool on = true;
    EXPECT_FALSE(selector.TakeChoice(on)) << "a single press changes nothing";

    selector.Press(true);
    EXPECT_FALSE(selector.ShowsOn(true));
    EXPECT_TRUE(selector.SelectionChanged());
    ASSERT_TRUE(selector.TakeChoice(on));
    EXPECT_FALSE(on);
    EXPECT_FALSE(selector.TakeChoice(on)) << "a choice is carried out once";
}

TEST(RadioSelectorTest, ThirdPressReturnsToOnAndANewWindowStartsAgain)
{
    CRadioSelector selector;
    selector.SetActive(true);
    selector.Begin(-1); // a failed availability call keeps the selector
    selector.Press(false);
    EXPECT_FALSE(selector.ShowsOn(false));
    selector.Press(false);
    selector.Press(false);
    EXPECT_FALSE(selector.ShowsOn(true)) << "selection flips regardless of the radios' state";
    bool on = true;
    ASSERT_TRUE(selector.TakeChoice(on));
    EXPECT_FALSE(on);

    selector.Begin(1);
    EXPECT_EQ(selector.Selection(), -1);
    selector.Press(true);
    EXPECT_TRUE(selector.ShowsOn(false)) << "the new window shows the state at its first press";
}

TEST(RadioSelectorTest, AvailabilityZeroOrNoCapabilityShowsOnlyTheState)
{
    CRadioSelector selector;
    selector.SetActive(true);
    selector.Begin(0);
    EXPECT_FALSE(selector.IsActive());
    for (bool radiosOn : {true, false, true}) {
        selector.Press(radiosOn);
        EXPECT_EQ(selector.ShowsOn(radiosOn), radiosOn);
    }
    bool on = false;
    EXPECT_FALSE(selector.TakeChoice(on));

    CRadioSelector inactive;
    inactive.Begin(1);
    inactive.Press(true);
    inactive.Press(true);
    EXPECT_FALSE(inactive.TakeChoice(on));
    EXPECT_FALSE(inactive.ShowsOn(false));
}

// ---- Geometry ------------------------------------------------------------------

TEST(StatusGeometryTest, RadioDialogLaysPicturesATenthApartAndPlacesItself)
{
    EXPECT_EQ(status_geometry::RadioDialogPitch(48), 52);
    EXPECT_EQ(status_geometry::RadioDialogPictureX(0, 48), 5);
    EXPECT_EQ(status_geometry::RadioDialogPictureX(2, 48), 109);
    EXPECT_EQ(status_geometry::RadioDialogSize(3, {48, 48}), (osd_geometry::OsdSize{156, 48}));
    const RECT desktop{0, 0, 1024, 768};
    EXPECT_EQ(status_geometry::RadioDialogPosition({0, 0}, {104, 48}, desktop).x, 1024 - 104 - 100);
    EXPECT_EQ(status_geometry::RadioDialogPosition({0, 0}, {104, 48}, desktop).y, 768 - 120);
    // Either coordinate set is a saved place.
    EXPECT_EQ(status_geometry::RadioDialogPosition({0, 300}, {104, 48}, desktop).y, 300);
    EXPECT_TRUE(status_geometry::RadioSavedPlaceUsable({1023, 767}, desktop));
    EXPECT_FALSE(status_geometry::RadioSavedPlaceUsable({1024, 10}, desktop));
    EXPECT_FALSE(status_geometry::RadioSavedPlaceUsable({10, 800}, desktop));
}

TEST(StatusGeometryTest, PanelsSitAboveTheBottomRightCorner)
{
    const osd_geometry::OsdSize screen{1024, 768};
    EXPECT_EQ(status_geometry::RadioPanelWindow(screen, 2),
              (osd_geometry::OsdRect{972 - 147, 691 - 96, 147, 96}));
    EXPECT_EQ(status_geometry::KeyboardPanelWindow(screen),
              (osd_geometry::OsdRect{972 - 96, 691 - 96, 96, 96}));
    const POINT symbol = status_geometry::OutlineRadioSymbolAt({210, 210}, {110, 110});
    EXPECT_EQ(symbol.x, 50);
    EXPECT_EQ(symbol.y, 50);
}

TEST(StatusGeometryTest, KeyboardDialogNeedsOnlyItsCornerOnTheDesktop)
{
    const RECT desktop{0, 0, 1024, 768};
    // The rest of the window may hang over the edge.
    const POINT edge = status_geometry::KeyboardDialogPosition({1000, 740}, {51, 52}, desktop);
    EXPECT_EQ(edge.x, 1000);
    EXPECT_EQ(edge.y, 740);
    const POINT gone = status_geometry::KeyboardDialogPosition({1100, 100}, {51, 52}, desktop);
    EXPECT_EQ(gone.x, 1024 - 63);
    EXPECT_EQ(gone.y, 768 - 104);
    const POINT unset = status_geometry::KeyboardDialogPosition({0, 0}, {51, 52}, desktop);
    EXPECT_EQ(unset.x, 1024 - 63);
}

// ---- The keyboard functions of the firmware -------------------------------------

class KeyboardFunctions : public ::testing::Test {
protected:
    void SetUp() override
    {
        bios.script = [this](BiosCallBuffer& b) {
            if (b.cbClass != 0x0004 || b.cbSelect != 0x000B) return false;
            b.cbRes1 = res1;
            if (b.cbArg1 == 0x00)
                b.cbRes3 = 0xAB00CDEFu | (levels << 16); // the other bytes are not the count
            if (b.cbArg1 == 0x01) {
                b.cbRes2 = 0xFFFF0000u | state;
                b.cbRes3 = level << 16;
            }
            if (b.cbArg1 == 0x10) b.cbRes2 = selector;
            return true;
        };
    }

    RecordingBios bios;
    int32_t res1 = 0;
    uint32_t levels = 3;
    uint32_t state = 1;
    uint32_t level = 0;
    uint32_t selector = 0;
};

TEST_F(KeyboardFunctions, LevelsComeFromByteTwoOfTheThirdResult)
{
    const CKeyboardFunctionBios functions(&bios);
    levels = 0x05;
    EXPECT_EQ(functions.ReadLightLevels(), 5);
    ASSERT_EQ(bios.requests.size(), 1u);
    EXPECT_EQ(bios.requests[0].cbArg1, 0u);
    res1 = -1;
    EXPECT_FALSE(functions.ReadLightLevels().has_value());
    EXPECT_FALSE(CKeyboardFunctionBios(nullptr).ReadLightLevels().has_value());
}

TEST_F(KeyboardFunctions, StateWordDecidesBetweenNoAnswerOffAndTheLevel)
{
    const CKeyboardFunctionBios functions(&bios);
    state = 0;
    EXPECT_FALSE(functions.ReadLightState(false).answered);
    state = 1;
    level = 7;
    EXPECT_TRUE(functions.ReadLightState(false).answered);
    EXPECT_EQ(functions.ReadLightState(false).level, 0) << "1 is off whatever the level byte says";
    state = 2;
    EXPECT_EQ(functions.ReadLightState(false).level, 7);
    EXPECT_EQ(functions.ReadLightState(true).level, 1) << "the dialog style reads 2 as level 1";
    state = 3;
    EXPECT_EQ(functions.ReadLightState(true).level, 7);
    res1 = 1;
    EXPECT_FALSE(functions.ReadLightState(false).answered);
}

TEST_F(KeyboardFunctions, SelectorAvailabilityReadsMinusOneOnAnyFailure)
{
    const CKeyboardFunctionBios functions(&bios);
    selector = 0;
    EXPECT_EQ(functions.ReadRadioSelector(), 0);
    selector = 2;
    EXPECT_EQ(functions.ReadRadioSelector(), 2);
    EXPECT_EQ(bios.requests.back().cbArg1, 0x10u);
    res1 = -1;
    EXPECT_EQ(functions.ReadRadioSelector(), -1);
    bios.script = nullptr;
    EXPECT_EQ(functions.ReadRadioSelector(), -1);
}

} // namespace
