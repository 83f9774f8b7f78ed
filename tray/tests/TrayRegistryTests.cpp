#include "DisplayFlags.h"
#include "FeatureConfig.h"
#include "MobilityCenter.h"
#include "RegistryValueGuard.h"
#include "Settings.h"
#include "VersionReport.h"
#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

TEST(DisplayFlags, MissingOrMistypedValuesKeepTheDefaults)
{
    RegistryValueGuard guard(CSettings::kKeyPath, {L"DlgDisablerBRG", L"DlgDisablerVOL", L"DlgDisablerRAD",
                                                   L"DlgDisplayNetwispMsg"});
    guard.Delete(L"DlgDisablerBRG");
    guard.SetString(L"DlgDisablerVOL", L"0");
    const BYTE shortValue[2] = {0, 0};
    guard.SetRaw(L"DlgDisablerRAD", REG_DWORD, shortValue, sizeof(shortValue));
    guard.SetDword(L"DlgDisplayNetwispMsg", 0);
    DisplayFlags flags;
    flags.Load();
    EXPECT_EQ(flags.brightness, 1u);
    EXPECT_EQ(flags.volume, 1u);
    EXPECT_EQ(flags.radio, 1u);
    EXPECT_EQ(flags.locatorMessage, 0u);
}

TEST(DisplayFlags, OnlySwitchesChangedSinceLoadingAreWritten)
{
    RegistryValueGuard guard(CSettings::kKeyPath, {L"DlgDisablerBRG", L"DlgDisablerVOL", L"DlgDisablerRAD",
                                                   L"DlgDisplayNetwispMsg"});
    guard.SetDword(L"DlgDisablerBRG", 1);
    guard.SetString(L"DlgDisablerVOL", L"mistyped");
    guard.SetDword(L"DlgDisablerRAD", 1);
    guard.Delete(L"DlgDisplayNetwispMsg");
    DisplayFlags loaded;
    loaded.Load();
    DisplayFlags flags = loaded;
    flags.brightness = 0;
    flags.locatorMessage = 0;
    // Meanwhile an administrator switches the radio display off.
    guard.SetDword(L"DlgDisablerRAD", 0);
    flags.SaveChangesSince(loaded);
    EXPECT_EQ(guard.GetDword(L"DlgDisablerBRG"), 0u);
    EXPECT_EQ(guard.GetDword(L"DlgDisablerRAD"), 0u);
    EXPECT_EQ(guard.GetRaw(L"DlgDisablerVOL"), std::wstring(L"mistyped") + L'\0');
    EXPECT_FALSE(guard.Exists(L"DlgDisplayNetwispMsg"));
}

TEST(InstalledVersion, ReadFromTheSettingsKey)
{
    RegistryValueGuard guard(CSettings::kKeyPath, {L"TavrinVersion"});
    guard.SetString(L"TavrinVersion", L"1.3.8");
    EXPECT_EQ(version_report::ReadInstalledVersion(), 138u);
    guard.Delete(L"TavrinVersion");
    EXPECT_EQ(version_report::ReadInstalledVersion(), 0u);
    guard.SetDword(L"TavrinVersion", 138);
    EXPECT_EQ(version_report::ReadInstalledVersion(), 0u);
    // Only the first 80 characters count.
    guard.SetString(L"TavrinVersion", std::wstring(79, L'.') + L"12");
    EXPECT_EQ(version_report::ReadInstalledVersion(), 1u);
}

TEST(KeyboardLightReport, WrittenOnlyWhenRequestedAndPresent)
{
    const std::wstring key = std::wstring(CSettings::kKeyPath) + L"\\SelectedFeatures";
    RegistryValueGuard guard(key, {L"BacklitKeyboard", L"BacklitKeyboard_Support"});
    guard.Delete(L"BacklitKeyboard_Support");
    guard.SetDword(L"BacklitKeyboard", 1);
    EXPECT_FALSE(feature_config::ReportKeyboardLightSupport(false));
    EXPECT_FALSE(guard.Exists(L"BacklitKeyboard_Support"));
    guard.SetDword(L"BacklitKeyboard", 2);
    EXPECT_FALSE(feature_config::ReportKeyboardLightSupport(true));
    EXPECT_FALSE(guard.Exists(L"BacklitKeyboard_Support"));
    guard.SetDword(L"BacklitKeyboard", 1);
    EXPECT_TRUE(feature_config::ReportKeyboardLightSupport(true));
    EXPECT_EQ(guard.GetDword(L"BacklitKeyboard_Support"), 1u);
}

TEST(TileOrder, MissingSuiteTilesAreAppendedInOrder)
{
    std::vector<std::wstring> order{L"Volume", L"FnKey", L"Battery", L"ALS"};
    EXPECT_TRUE(mobility_center::AppendMissingTiles(order));
    EXPECT_EQ(order, (std::vector<std::wstring>{L"Volume", L"FnKey", L"Battery", L"ALS", L"BacklitKB",
                                                L"Bluetooth", L"TouchPad", L"Pellick", L"WiFiSwitch"}));
    EXPECT_FALSE(mobility_center::AppendMissingTiles(order));
    EXPECT_EQ(std::count(order.begin(), order.end(), L"Hotkeys"), 0);
}

TEST(TileOrder, MultiStringDataIsReadWithinItsLength)
{
    const wchar_t terminated[] = L"A\0BB\0\0";
    EXPECT_EQ(mobility_center::SplitMultiString(terminated, 6), (std::vector<std::wstring>{L"A", L"BB"}));
    // No terminators at all: the data's length ends the last item.
    const wchar_t bare[] = {L'X', L'\0', L'Y', L'Z'};
    EXPECT_EQ(mobility_center::SplitMultiString(bare, 4), (std::vector<std::wstring>{L"X", L"YZ"}));
    EXPECT_TRUE(mobility_center::SplitMultiString(terminated, 0).empty());
    EXPECT_EQ(mobility_center::JoinMultiString({L"A", L"", L"BB"}), L"A\0BB\0\0"s);
    EXPECT_EQ(mobility_center::JoinMultiString({}), L"\0"s);
}

class MobilityCenterKey : public ::testing::Test {
protected:
    RegistryValueGuard guard{mobility_center::kKey, {L"OEMName", L"OEMImage", L"TileOrder"}, KEY_WOW64_64KEY};
};

TEST_F(MobilityCenterKey, BrandingWrittenAndTileOrderLeftAloneWhenMissing)
{
    guard.SetString(L"OEMImage", L"old.bmp");
    guard.Delete(L"TileOrder");
    mobility_center::Register(L"D:\\Tavrin\\");
    EXPECT_EQ(guard.GetRaw(L"OEMName"), L"D:\\Tavrin\\Tessel.exe,210\0"s);
    EXPECT_FALSE(guard.Exists(L"OEMImage"));
    EXPECT_FALSE(guard.Exists(L"TileOrder"));
}

TEST_F(MobilityCenterKey, TileOrderCompletedOnce)
{
    guard.SetString(L"TileOrder", L"Volume\0Bluetooth\0"s, REG_MULTI_SZ);
    mobility_center::Register(L"D:\\Tavrin\\");
    const std::wstring expected
        = L"Volume\0Bluetooth\0ALS\0BacklitKB\0FnKey\0TouchPad\0Pellick\0WiFiSwitch\0\0"s;
    EXPECT_EQ(guard.GetRaw(L"TileOrder"), expected);
    mobility_center::Register(L"D:\\Tavrin\\");
    EXPECT_EQ(guard.GetRaw(L"TileOrder"), expected);
}

TEST_F(MobilityCenterKey, TileOrderOfAnotherTypeIsNotTouched)
{
    guard.SetString(L"TileOrder", L"Volume");
    mobility_center::Register(L"D:\\Tavrin\\");
    EXPECT_EQ(guard.GetRaw(L"TileOrder"), L"Volume\0"s);
}

} // namespace
