#include <gtest/gtest.h>

#include <windows.h>

#include <winioctl.h>

#include <poclass.h>

#include <cstring>

#include "BatteryIoctls.h"
#include "BatteryModel.h"
#include "DeviceNodes.h"
#include "FirmwareModel.h"
#include "TestMachine.h"

namespace {

using sim::kPrimarySlot;
using sim::kSecondarySlot;

// The default notebook with its batteries' clock set to a time of the test's choosing.
std::unique_ptr<sim::SimMachine> Machine(uint64_t start = 1000000)
{
    auto machine = simtest::LoadedMachine(L"corvane-default");
    if (machine) machine->batteries.lastAdvance = start;
    return machine;
}

TEST(BatteryModel, DefaultNotebookHasOneChargingPrimaryOnAc)
{
    auto m = Machine();
    ASSERT_TRUE(m);
    EXPECT_TRUE(m->batteries.modelled);
    EXPECT_TRUE(m->batteries.slots[kPrimarySlot].present);
    EXPECT_FALSE(m->batteries.slots[kSecondarySlot].present);
    EXPECT_EQ(m->batteries.slots[kPrimarySlot].rate, 20000);
    EXPECT_EQ(m->power.batteryPercent, 87);
    EXPECT_TRUE(m->power.charging);
}

TEST(BatteryModel, ChargingMovesWithTimeAndStopsAtFull)
{
    auto m = Machine();
    sim::SimBattery& b = m->batteries.slots[kPrimarySlot];
    // 20 W for 36 s: 200 mWh.
    sim::AdvanceBatteries(*m, 1000000 + 36000);
    EXPECT_NEAR(b.remaining, 48700, 0.01);
    EXPECT_EQ(b.rate, 20000);
    // A clock that goes back moves nothing.
    sim::AdvanceBatteries(*m, 1000000);
    EXPECT_NEAR(b.remaining, 48700, 0.01);
    // Two hours later the pack is full and idles.
    sim::AdvanceBatteries(*m, 1000000 + 36000 + 7200000);
    EXPECT_DOUBLE_EQ(b.remaining, 56000);
    EXPECT_EQ(b.rate, 0);
    EXPECT_EQ(m->power.batteryPercent, 100);
    EXPECT_FALSE(m->power.charging);
}

TEST(BatteryModel, WithoutAcThePrimaryCarriesTheMachineFirst)
{
    auto m = Machine();
    sim::InsertBattery(*m, kSecondarySlot, sim::DefaultBattery(kSecondarySlot));
    m->batteries.lastAdvance = 1000000;
    m->power.acOnline = 0;
    sim::SimBattery& primary = m->batteries.slots[kPrimarySlot];
    sim::SimBattery& secondary = m->batteries.slots[kSecondarySlot];
    primary.remaining = 1400;
    // 14 W: 1.4 Wh last 360 s; the secondary takes over for the other 360 s.
    sim::AdvanceBatteries(*m, 1000000 + 720000);
    EXPECT_DOUBLE_EQ(primary.remaining, 0);
    EXPECT_EQ(primary.rate, 0);
    EXPECT_NEAR(secondary.remaining, 56000 - 1400, 0.01);
    EXPECT_EQ(secondary.rate, -14000);
    EXPECT_FALSE(m->power.charging);
    EXPECT_GT(m->power.batteryLifeTime, 0);
}

TEST(BatteryModel, HeldOffOrFailedPacksTakeNoCharge)
{
    auto m = Machine();
    sim::SimBattery& b = m->batteries.slots[kPrimarySlot];
    m->batteries.chargeDisabled = 1;
    sim::AdvanceBatteries(*m, 1000000 + 60000);
    EXPECT_DOUBLE_EQ(b.remaining, 48500);
    EXPECT_EQ(b.rate, 0);
    m->batteries.chargeDisabled = 0;
    b.failureStatus = 3;
    sim::AdvanceBatteries(*m, 1000000 + 120000);
    EXPECT_DOUBLE_EQ(b.remaining, 48500);
    b.failureStatus = 0;
    sim::AdvanceBatteries(*m, 1000000 + 180000);
    EXPECT_GT(b.remaining, 48500);
}

BiosCallBuffer Call(sim::SimMachine& m, uint16_t cbClass, uint16_t cbSelect, uint32_t arg1 = 0,
                    uint32_t arg2 = 0)
{
    std::vector<uint8_t> request = simtest::Request(cbClass, cbSelect, arg1, arg2);
    return simtest::Record(sim::AnswerCall(m, request.data(), request.size()));
}

TEST(BatteryFirmware, StatusHealthAndRegisters)
{
    auto m = Machine(sim::NowMs());
    BiosCallBuffer status = Call(*m, 0x08, 1);
    EXPECT_EQ(status.cbRes1, 0);
    EXPECT_EQ(status.cbRes2 & 0x3, 1u);
    EXPECT_EQ(status.cbRes2 >> 24, 0u);
    EXPECT_TRUE(status.cbRes2 & (1u << 17));
    EXPECT_EQ(status.cbRes3 & 0xFF, 87u);
    EXPECT_EQ((status.cbRes3 >> 16) & 0xFF, 3u);
    EXPECT_EQ(status.cbRes3 >> 24, 96u);
    EXPECT_TRUE(Call(*m, 0x08, 2).cbRes3 & (1u << 12)); // no secondary
    EXPECT_EQ(Call(*m, 0x08, 3).cbRes1, -1);
    // 20 W at 11.1 V: 1801 mA; 7.5 Wh missing at 20 W: 22 minutes.
    EXPECT_EQ(Call(*m, 0x1E, 1, 0x0A).cbRes2, 1801u);
    EXPECT_EQ(Call(*m, 0x1E, 1, 0x13).cbRes2, 22u);
    m->power.acOnline = 0;
    EXPECT_EQ(Call(*m, 0x1E, 1, 0x0A).cbRes2, static_cast<uint16_t>(-1261));
    EXPECT_EQ(Call(*m, 0x1E, 1, 0x13).cbRes2, 65535u);
    EXPECT_EQ(Call(*m, 0x1E, 2, 0x0A).cbRes1, -1);
    // A failed pack says so and takes no charge.
    m->power.acOnline = 1;
    m->batteries.slots[kPrimarySlot].failureStatus = 3;
    status = Call(*m, 0x08, 1);
    EXPECT_EQ(status.cbRes2 >> 24, 3u);
    EXPECT_EQ(status.cbRes2 & 0x3, 0u);
}

TEST(BatteryFirmware, ChargeControlHoldsChargingOff)
{
    auto m = Machine(sim::NowMs());
    EXPECT_EQ(Call(*m, 0x04, 0x0C).cbRes2, 1u << 1);
    EXPECT_EQ(Call(*m, 0x04, 0x0C, 1, 1).cbRes1, 0);
    EXPECT_EQ(Call(*m, 0x04, 0x0C).cbRes2, 1u << 1 | 1u << 9);
    EXPECT_EQ(m->batteries.slots[kPrimarySlot].rate, 0);
    EXPECT_EQ(Call(*m, 0x04, 0x0C, 1, 0).cbRes1, 0);
    EXPECT_FALSE(m->batteries.chargeDisabled);
    m->batteries.chargeDisableSupported = 0;
    EXPECT_EQ(Call(*m, 0x04, 0x0C, 1, 1).cbRes1, -1);
}

TEST(BatteryFirmware, MachinesWithoutBatteriesAnswerAsBefore)
{
    auto m = simtest::LoadedMachine(L"halvorn");
    ASSERT_TRUE(m);
    EXPECT_FALSE(m->batteries.modelled);
    EXPECT_EQ(Call(*m, 0x08, 1).cbRes1, -1);
    EXPECT_EQ(Call(*m, 0x04, 0x0C).cbRes1, -1);
    EXPECT_EQ(sim::DeviceNodes(*m).size(), 3u); // root, bus and adapter
}

TEST(BatteryIoctls, AnswersFollowTheDriversBufferRules)
{
    auto m = Machine(sim::NowMs());
    const uint32_t tag = m->batteries.slots[kPrimarySlot].tag;
    ASSERT_NE(tag, 0u);
    DWORD returned = 0;
    ULONG wait = 10, answeredTag = 0;
    EXPECT_EQ(sim::AnswerBatteryIoctl(*m, kPrimarySlot, IOCTL_BATTERY_QUERY_TAG, &wait, sizeof wait,
                                      &answeredTag, sizeof answeredTag, returned),
              0u);
    EXPECT_EQ(answeredTag, tag);
    EXPECT_EQ(sim::AnswerBatteryIoctl(*m, kPrimarySlot, IOCTL_BATTERY_QUERY_TAG, &wait, 2, &answeredTag,
                                      sizeof answeredTag, returned),
              static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    BATTERY_QUERY_INFORMATION query{tag, BatteryDeviceName, 0};
    wchar_t name[8] = {};
    EXPECT_EQ(sim::AnswerBatteryIoctl(*m, kPrimarySlot, IOCTL_BATTERY_QUERY_INFORMATION, &query, sizeof query,
                                      name, sizeof name, returned),
              static_cast<DWORD>(ERROR_MORE_DATA));
    EXPECT_EQ(returned, sizeof(L"Corvane Strata 6-cell"));
    query.BatteryTag = tag + 1;
    EXPECT_EQ(sim::AnswerBatteryIoctl(*m, kPrimarySlot, IOCTL_BATTERY_QUERY_INFORMATION, &query, sizeof query,
                                      name, sizeof name, returned),
              static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED));

    BATTERY_WAIT_STATUS waitStatus{tag, 100, 0, 0, 0};
    BATTERY_STATUS status{};
    EXPECT_EQ(sim::AnswerBatteryIoctl(*m, kPrimarySlot, IOCTL_BATTERY_QUERY_STATUS, &waitStatus,
                                      sizeof waitStatus, &status, sizeof status - 1, returned),
              static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(sim::AnswerBatteryIoctl(*m, kPrimarySlot, IOCTL_BATTERY_QUERY_STATUS, &waitStatus,
                                      sizeof waitStatus, &status, sizeof status, returned),
              0u);
    EXPECT_EQ(returned, sizeof status);
    EXPECT_EQ(status.PowerState, static_cast<ULONG>(BATTERY_POWER_ON_LINE | BATTERY_CHARGING));
    EXPECT_EQ(status.Rate, 20000);

    // A pack taken out and put back is another battery: the old tag is refused.
    sim::RemoveBattery(*m, kPrimarySlot);
    EXPECT_EQ(sim::AnswerBatteryIoctl(*m, kPrimarySlot, IOCTL_BATTERY_QUERY_TAG, &wait, sizeof wait,
                                      &answeredTag, sizeof answeredTag, returned),
              static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED));
    sim::InsertBattery(*m, kPrimarySlot, sim::DefaultBattery(kPrimarySlot));
    waitStatus.BatteryTag = tag;
    EXPECT_EQ(sim::AnswerBatteryIoctl(*m, kPrimarySlot, IOCTL_BATTERY_QUERY_STATUS, &waitStatus,
                                      sizeof waitStatus, &status, sizeof status, returned),
              static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED));
    EXPECT_NE(m->batteries.slots[kPrimarySlot].tag, tag);
}

} // namespace
