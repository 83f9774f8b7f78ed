#include <gtest/gtest.h>

#include "BatteryCalls.h"
#include "BatteryChargeControl.h"
#include "BatteryClass.h"
#include "RecordingBios.h"

namespace {

struct Answer {
    int32_t res1 = 0;
    uint32_t res2 = 0;
    uint32_t res3 = 0;
};

// A firmware double that answers the status call and the two registers.
class BatteryFirmware : public RecordingBios {
public:
    BatteryFirmware()
    {
        script = [this](BiosCallBuffer& b) {
            const Answer* a = nullptr;
            if (b.cbClass == battery_calls::kStatusClass) a = &status;
            if (b.cbClass == battery_calls::kSmartBatteryClass && b.cbArg1 == battery_calls::kRegisterCurrent)
                a = &current;
            if (b.cbClass == battery_calls::kSmartBatteryClass
                && b.cbArg1 == battery_calls::kRegisterAverageTimeToFull)
                a = &timeToFull;
            if (b.cbClass == battery_calls::kChargeControlClass)
                a = b.cbArg1 == 0 ? &chargeRead : &chargeWrite;
            if (!a || !answers) return false;
            b.cbRes1 = a->res1;
            b.cbRes2 = a->res2;
            b.cbRes3 = a->res3;
            return true;
        };
    }
    bool answers = true;
    Answer status;
    Answer current;
    Answer timeToFull;
    Answer chargeRead;
    Answer chargeWrite;
};

TEST(BatteryClassUpdate, ChargingBatteryReportsPercentAndMinutes)
{
    BatteryFirmware bios;
    bios.status = {0, 0x1, 57};
    bios.current = {0, 1500};
    bios.timeToFull = {0, 95};
    CBatteryClass dock(bios);
    dock.Update(CBatteryClass::kDock);
    EXPECT_EQ(dock.Present(), 1);
    EXPECT_EQ(dock.Percent(), 57);
    EXPECT_EQ(dock.Status(), 1);
    EXPECT_EQ(dock.MinutesToFull(), 95);
    ASSERT_EQ(bios.requests.size(), 3u);
    EXPECT_EQ(bios.requests[0].cbSelect, 128);
    EXPECT_EQ(bios.requests[2].cbArg1, battery_calls::kRegisterAverageTimeToFull);
}

TEST(BatteryClassUpdate, TimeToFullAbove240NeverShows)
{
    BatteryFirmware bios;
    bios.status = {0, 0x2, 40};
    bios.current = {0, 800};
    bios.timeToFull = {0, 65535};
    CBatteryClass dock(bios);
    dock.Update(CBatteryClass::kDock);
    EXPECT_EQ(dock.Status(), 1);
    EXPECT_EQ(dock.MinutesToFull(), 0);
}

TEST(BatteryClassUpdate, DirectionAndFullnessDecideTheStatus)
{
    BatteryFirmware bios;
    CBatteryClass dock(bios);
    // Negative current (16-bit, 0x7FFF and up) while not charging: discharging.
    bios.status = {0, 0, 80};
    bios.current = {0, 0xF830};
    dock.Update(CBatteryClass::kDock);
    EXPECT_EQ(dock.Status(), 2);
    bios.current = {0, 0x7FFF};
    dock.Update(CBatteryClass::kDock);
    EXPECT_EQ(dock.Status(), 2);
    // Charging bits at 99 % count as idle; a failed current read as no direction.
    bios.status = {0, 0x3, 99};
    bios.current = {-1, 0xF830};
    dock.Update(CBatteryClass::kDock);
    EXPECT_EQ(dock.Status(), 0);
    EXPECT_EQ(dock.Percent(), 99);
}

TEST(BatteryClassUpdate, AbsentOrUnansweredMeansNotPresent)
{
    BatteryFirmware bios;
    CBatteryClass dock(bios);
    bios.status = {0, 0x1, 1u << 12 | 50};
    dock.Update(CBatteryClass::kDock);
    EXPECT_EQ(dock.Present(), 0);
    EXPECT_EQ(bios.requests.size(), 1u);
    bios.status = {0, 0, 50};
    dock.Update(CBatteryClass::kDock);
    EXPECT_EQ(dock.Present(), 1);
    bios.answers = false;
    dock.Update(CBatteryClass::kDock);
    EXPECT_EQ(dock.Present(), 0);
    bios.answers = true;
    bios.status = {-1, 0, 50};
    dock.Update(CBatteryClass::kDock);
    EXPECT_EQ(dock.Present(), 0);
}

constexpr uint32_t kSupported = 1u << 17;
constexpr uint32_t kIndexPresent = 1u << 16;

TEST(BatteryHealthCall, HealthIndexFromTheFirmware)
{
    BatteryFirmware bios;
    CBatteryClass battery(bios);
    int failure = 1;
    bios.status = {0, kSupported | kIndexPresent, 3u << 16 | 96u << 24};
    EXPECT_EQ(battery.DoSmi(1, failure), 3);
    EXPECT_EQ(failure, 0);
    // An index above 4 without a failure status, or without the present bit, is no health.
    bios.status = {0, kSupported | kIndexPresent, 5u << 16};
    EXPECT_EQ(battery.DoSmi(1, failure), -1);
    bios.status = {0, kSupported, 2u << 16};
    EXPECT_EQ(battery.DoSmi(2, failure), -1);
    EXPECT_EQ(bios.requests.back().cbSelect, 2);
    // Numbers of 0 and below ask for the primary.
    battery.DoSmi(0, failure);
    EXPECT_EQ(bios.requests.back().cbSelect, 1);
    battery.DoSmi(-4, failure);
    EXPECT_EQ(bios.requests.back().cbSelect, 1);
}

TEST(BatteryHealthCall, FailureStatusDecides)
{
    BatteryFirmware bios;
    CBatteryClass battery(bios);
    int failure = 0;
    bios.status = {0, kSupported | kIndexPresent | 3u << 24, 3u << 16};
    EXPECT_EQ(battery.DoSmi(1, failure), 0);
    EXPECT_EQ(failure, 1);
    // Status 5 and 6 name their health and leave the failure flag as it was.
    bios.status = {0, kSupported | 5u << 24, 0};
    EXPECT_EQ(battery.DoSmi(1, failure), 5);
    EXPECT_EQ(failure, 1);
    bios.status = {0, kSupported | 6u << 24, 0};
    failure = 0;
    EXPECT_EQ(battery.DoSmi(1, failure), 6);
    EXPECT_EQ(failure, 0);
    // No health support, or no answer: no health and no failure.
    failure = 1;
    bios.status = {0, kIndexPresent | 3u << 24, 3u << 16};
    EXPECT_EQ(battery.DoSmi(1, failure), -1);
    EXPECT_EQ(failure, 0);
    failure = 1;
    bios.answers = false;
    EXPECT_EQ(battery.DoSmi(1, failure), -1);
    EXPECT_EQ(failure, 0);
}

TEST(ChargeControl, ReadsAndWritesWhenSupported)
{
    BatteryFirmware bios;
    bios.chargeRead = {0, 1u << 1 | 1u << 9};
    BatteryChargeControl control(bios);
    EXPECT_TRUE(control.Supported());
    int state = -1;
    EXPECT_TRUE(control.Read(state));
    EXPECT_EQ(state, BatteryChargeControl::kDisabled);
    bios.chargeRead = {0, 1u << 1};
    EXPECT_TRUE(control.Read(state));
    EXPECT_EQ(state, BatteryChargeControl::kEnabled);

    EXPECT_TRUE(control.Write(BatteryChargeControl::kDisabled));
    EXPECT_EQ(bios.requests.back().cbArg1, 1u);
    EXPECT_EQ(bios.requests.back().cbArg2, 1u);
    EXPECT_TRUE(control.Write(7));
    EXPECT_EQ(bios.requests.back().cbArg2, 0u);
    bios.chargeWrite = {-1};
    EXPECT_FALSE(control.Write(BatteryChargeControl::kEnabled));
}

TEST(ChargeControl, UnsupportedReadsFailWithoutAsking)
{
    BatteryFirmware bios;
    bios.chargeRead = {0, 1u << 9};
    BatteryChargeControl control(bios);
    EXPECT_FALSE(control.Supported());
    const size_t asked = bios.requests.size();
    int state = -1;
    EXPECT_FALSE(control.Read(state));
    EXPECT_EQ(state, 0);
    EXPECT_EQ(bios.requests.size(), asked);

    BatteryFirmware silent;
    silent.answers = false;
    EXPECT_FALSE(BatteryChargeControl(silent).Supported());
}

} // namespace
