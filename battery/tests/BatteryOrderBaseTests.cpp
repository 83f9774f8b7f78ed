#include <gtest/gtest.h>

#include <cwchar>

#include "BatteryCalls.h"
#include "BatteryOrderBase.h"
#include "RecordingBios.h"
#include "RegistryValueGuard.h"
#include "SettingNames.h"
#include "Settings.h"

namespace {

using namespace setting_names;

constexpr uint32_t kSupported = 1u << 17;
constexpr uint32_t kIndexPresent = 1u << 16;

// Firmware whose two batteries report a health index, or a failure status.
struct HealthFirmware : RecordingBios {
    HealthFirmware(uint32_t primaryRes2, uint32_t primaryIndex, uint32_t secondaryRes2,
                   uint32_t secondaryIndex)
    {
        script = [=](BiosCallBuffer& b) {
            if (b.cbClass != battery_calls::kStatusClass) return false;
            b.cbRes1 = 0;
            b.cbRes2 = b.cbSelect == 2 ? secondaryRes2 : primaryRes2;
            b.cbRes3 = (b.cbSelect == 2 ? secondaryIndex : primaryIndex) << 16;
            return true;
        };
    }
};

HealthFirmware Healths(uint32_t primary, uint32_t secondary)
{
    return HealthFirmware(kSupported | kIndexPresent, primary, kSupported | kIndexPresent, secondary);
}

TEST(BatterySelection, UnknownHealthLosesToAKnownOne)
{
    struct Case {
        int primary, secondary, selected;
    };
    const Case cases[] = {
        {-1, 2, 2}, {2, -1, 1}, {-1, -1, 2}, // a negative health: the greater index, the secondary on a tie
        {0, 3, 1},  {4, 2, 2},  {3, 3, 1},   {0, 0, 1}, // both known: the worse state, the primary on a tie
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CBatteryOrderBase::SelectBattery(c.primary, c.secondary), c.selected)
            << c.primary << "/" << c.secondary;
    }
}

class SuppressionValues : public ::testing::Test {
protected:
    RegistryValueGuard guard{CSettings::kKeyPath,
                             {kDisableBattPopUpPrimaryReplace, kDisableBattPopUpPrimaryTf,
                              kDisableBattPopUpSecReplace, kDisableBattPopUpSecTf}};
    CSettings settings;
};

TEST_F(SuppressionValues, FailedPrimaryIsSelectedOverAHealthySecondary)
{
    HealthFirmware bios(kSupported | kIndexPresent | 3u << 24, 3, kSupported | kIndexPresent, 3);
    CBatteryOrderBase record(bios, settings);
    EXPECT_EQ(record.PrimaryHealth(), 0);
    EXPECT_EQ(record.PrimaryPermanentFailure(), 1);
    EXPECT_EQ(record.SecondaryHealth(), 3);
    EXPECT_EQ(record.SelectedBattery(), 1);
    EXPECT_EQ(record.SelectedHealth(), 0);
    const wchar_t* name = record.SuppressionValueName();
    ASSERT_NE(name, nullptr);
    EXPECT_STREQ(name, L"DisableBattPopUp_Primary_Replace");
}

TEST_F(SuppressionValues, HeldOffChargingOfTheSecondary)
{
    // No health from the primary: the secondary, whose charging is held off, is the one.
    HealthFirmware bios(0, 0, kSupported | kIndexPresent, 4);
    CBatteryOrderBase record(bios, settings);
    EXPECT_EQ(record.PrimaryHealth(), -1);
    EXPECT_EQ(record.SelectedBattery(), 2);
    const wchar_t* name = record.SuppressionValueName();
    ASSERT_NE(name, nullptr);
    EXPECT_STREQ(name, L"DisableBattPopUp_Sec_TF");
}

TEST_F(SuppressionValues, AnyOtherHealthRearmsTheSelectedBatterysWarnings)
{
    for (const wchar_t* value : {kDisableBattPopUpPrimaryReplace, kDisableBattPopUpPrimaryTf,
                                 kDisableBattPopUpSecReplace, kDisableBattPopUpSecTf}) {
        guard.SetDword(value, 1);
    }
    HealthFirmware bios = Healths(2, 3);
    CBatteryOrderBase record(bios, settings);
    EXPECT_EQ(record.SelectedBattery(), 1);
    EXPECT_EQ(record.SuppressionValueName(), nullptr);
    EXPECT_EQ(guard.GetDword(kDisableBattPopUpPrimaryReplace), 0u);
    EXPECT_EQ(guard.GetDword(kDisableBattPopUpPrimaryTf), 0u);
    EXPECT_EQ(guard.GetDword(kDisableBattPopUpSecReplace), 1u);
    EXPECT_EQ(guard.GetDword(kDisableBattPopUpSecTf), 1u);
}

TEST_F(SuppressionValues, OverriddenHealthsAreNotAskedAgain)
{
    HealthFirmware bios = Healths(3, 3);
    CBatteryOrderBase record(bios, settings);
    EXPECT_EQ(bios.requests.size(), 2u); // one query at construction
    record.OverrideHealth(-1, 0);
    record.QueryHealth();
    EXPECT_EQ(bios.requests.size(), 2u);
    EXPECT_EQ(record.SelectedBattery(), 2);
    EXPECT_EQ(record.SelectedHealth(), 0);
    ASSERT_NE(record.SuppressionValueName(), nullptr);
    EXPECT_STREQ(record.SuppressionValueName(), L"DisableBattPopUp_Sec_Replace");
}

TEST_F(SuppressionValues, NoFirmwareAnswerLeavesBothUnknown)
{
    RecordingBios bios;
    CBatteryOrderBase record(bios, settings);
    EXPECT_EQ(record.PrimaryHealth(), -1);
    EXPECT_EQ(record.SecondaryHealth(), -1);
    EXPECT_EQ(record.SelectedBattery(), 2);
    EXPECT_EQ(record.SelectedHealth(), -1);
}

} // namespace
