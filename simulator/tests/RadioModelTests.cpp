// The simulated radios and locator area, on machines of the tests' own.
#include <gtest/gtest.h>

#include <cstring>

#include "FirmwareModel.h"
#include "MachineProfile.h"
#include "RadioModel.h"
#include "TestMachine.h"

namespace {

using simtest::Record;
using simtest::Request;

constexpr uint32_t kOffBits = 0x000E0000;
constexpr uint32_t kRadiosOn = 0x00010000;

class RadioModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        machine = simtest::LoadedMachine(L"corvane-default");
        ASSERT_TRUE(machine);
    }
    BiosCallBuffer Radio(uint32_t arg1, uint32_t a2 = 0, uint32_t a3 = 0, uint32_t a4 = 0)
    {
        std::vector<uint8_t> request = Request(0x11, 0x0B, arg1, a2, a3, a4);
        return Record(sim::AnswerCall(*machine, request.data(), request.size()));
    }
    BiosCallBuffer Legacy(uint32_t arg1)
    {
        std::vector<uint8_t> request = Request(0x11, 0x02, arg1);
        return Record(sim::AnswerCall(*machine, request.data(), request.size()));
    }
    uint32_t Status() { return Radio(0x00).cbRes2; }
    std::unique_ptr<sim::SimMachine> machine;
};

TEST_F(RadioModel, DisablingRadiosMovesTheirStatusBits)
{
    ASSERT_EQ(Status() & (kRadiosOn | kOffBits), kRadiosOn);
    EXPECT_EQ(Radio(0x010001).cbRes1, 0); // all radios off
    EXPECT_EQ(Status() & (kRadiosOn | kOffBits), kOffBits);
    EXPECT_EQ(Radio(0x000201).cbRes1, 0); // Bluetooth back on
    EXPECT_EQ(Status() & (kRadiosOn | kOffBits), kRadiosOn | 0x000A0000);
    EXPECT_EQ(Radio(0x000001).cbRes1, 0);
    EXPECT_EQ(Status() & (kRadiosOn | kOffBits), kRadiosOn);
    EXPECT_EQ(Radio(0x010401).cbRes1, -1); // there is no fourth radio
    EXPECT_EQ(Status() & kOffBits, 0u);

    // A radio that is not installed never reads as off.
    machine->firmware.radioStatus &= ~0x400u;
    EXPECT_EQ(Radio(0x010301).cbRes1, 0);
    EXPECT_EQ(Status() & (kRadiosOn | kOffBits), kRadiosOn);
}

TEST_F(RadioModel, TheSwitchCutsTheRadiosThatFollowItUnlessTheConfigurationIsLocked)
{
    bool changed = false;
    // Only Wi-Fi follows the switch from now on.
    EXPECT_EQ(Radio(0x010102).cbRes1, 0);
    EXPECT_EQ(Radio(0x02).cbRes2, 0x0101u);
    ASSERT_TRUE(sim::SetRadioSwitch(*machine, false, changed));
    EXPECT_TRUE(changed);
    EXPECT_EQ(Status() & (kRadiosOn | kOffBits), kRadiosOn | 0x00020000);
    ASSERT_TRUE(sim::SetRadioSwitch(*machine, false, changed));
    EXPECT_FALSE(changed);

    // Locked in setup: the write is refused and changes nothing.
    machine->radio.switchConfig |= 0x80;
    EXPECT_EQ(Radio(0x070102).cbRes1, -1);
    EXPECT_EQ(Radio(0x02).cbRes2, 0x0181u);
    EXPECT_EQ(Status() & kOffBits, 0x00020000u);

    // Switched on again, a radio disabled by a call stays off.
    EXPECT_EQ(Radio(0x010301).cbRes1, 0);
    ASSERT_TRUE(sim::SetRadioSwitch(*machine, true, changed));
    EXPECT_EQ(Status() & (kRadiosOn | kOffBits), kRadiosOn | 0x00080000);
    EXPECT_EQ(machine->radio.switchFlips, 2u);

    // A machine without a switch has nothing to move.
    machine->firmware.radioStatus &= ~1u;
    EXPECT_FALSE(sim::SetRadioSwitch(*machine, false, changed));
}

TEST_F(RadioModel, TheLegacyCallSwitchesEveryRadio)
{
    BiosCallBuffer get = Legacy(0x00);
    EXPECT_EQ(get.cbRes1, 0);
    EXPECT_EQ(get.cbRes2, 1u);
    BiosCallBuffer off = Legacy(0x001);
    EXPECT_EQ(off.cbRes1, 0);
    EXPECT_EQ(off.cbRes2, 0u);
    EXPECT_EQ(Status() & kOffBits, kOffBits);
    EXPECT_EQ(Legacy(0x101).cbRes2, 1u);
    EXPECT_EQ(Status() & kOffBits, 0u);

    machine->radio.legacyRes1 = -2;
    EXPECT_EQ(Legacy(0x001).cbRes1, -2);
    EXPECT_EQ(Status() & kOffBits, 0u);
}

TEST_F(RadioModel, StatusCallCarriesTheAreaSizeAndFormat)
{
    BiosCallBuffer status = Radio(0x00);
    EXPECT_EQ(status.cbRes3, 208u);
    EXPECT_EQ(status.cbRes4, 1u);
    // A fresh area: length 38 and the signature.
    BiosCallBuffer first = Radio(0x0010);
    EXPECT_EQ(first.cbRes1, 0);
    EXPECT_EQ(first.cbRes2, 0x4E530026u);
    EXPECT_EQ(first.cbRes3 & 0xFFFF, 0x4649u);

    // A refused status call carries no area information.
    machine->firmware.radioRes1 = -1;
    EXPECT_EQ(Radio(0x00).cbRes3, 0u);
}

TEST_F(RadioModel, ChunksWorkOnACopyThatOnlyACommitKeeps)
{
    EXPECT_EQ(Radio(0x0C11, 0x11111111, 0x22222222, 0x33333333).cbRes1, 0);
    EXPECT_EQ(Radio(0x0C10).cbRes3, 0x22222222u);
    EXPECT_EQ(machine->radio.area[12], 0); // not kept yet
    EXPECT_EQ(Radio(0x12).cbRes1, 0); // a load drops the change
    EXPECT_EQ(Radio(0x0C10).cbRes3, 0u);

    EXPECT_EQ(Radio(0x0C11, 0x11111111, 0x22222222, 0x33333333).cbRes1, 0);
    EXPECT_EQ(Radio(0x13).cbRes1, 0);
    EXPECT_EQ(machine->radio.area[23], 0x33);
    EXPECT_EQ(machine->radio.areaCommits, 1u);
    EXPECT_EQ(Radio(0x12).cbRes1, 0);
    EXPECT_EQ(Radio(0x0C10).cbRes4, 0x33333333u);
}

TEST_F(RadioModel, ChunksStopAtTheAreasEnd)
{
    machine->radio.areaSize = 51;
    EXPECT_EQ(Radio(0x3010).cbRes1, 0); // offset 48: three bytes of area
    EXPECT_EQ(Radio(0x3011, 0xA3A2A1A0, 0xFFFFFFFF, 0xFFFFFFFF).cbRes1, 0);
    EXPECT_EQ(machine->radio.working[50], 0xA2);
    EXPECT_EQ(machine->radio.working[51], 0); // dropped
    BiosCallBuffer last = Radio(0x3010);
    EXPECT_EQ(last.cbRes2, 0x00A2A1A0u);
    EXPECT_EQ(last.cbRes3 | last.cbRes4, 0u);
    EXPECT_EQ(Radio(0x3310).cbRes1, -1); // offset 51
    EXPECT_EQ(Radio(0x3311, 1, 1, 1).cbRes1, -1);

    machine->radio.areaSize = 0;
    EXPECT_EQ(Radio(0x0010).cbRes1, -1);
    EXPECT_EQ(Radio(0x12).cbRes1, -1);
    EXPECT_EQ(Radio(0x13).cbRes1, -1);
}

TEST(RadioProfiles, KeysSetTheStatusBitsTheSwitchAndTheArea)
{
    simtest::TempProfile profile("[Firmware]\r\nRadioStatusRes1=0\r\nRadioStatus=0x00000703\r\n"
                                 "[Radio]\r\nWwan=0\r\nSwitchOn=0\r\nSwitchConfig=0x0001\r\nDisabled=2\r\n"
                                 "LegacyRes1=-2\r\nLocatorAreaSize=9999\r\nLocatorFormatVersion=4\r\n"
                                 "LocatorArea=0x30,0,0x53,0x4E,0x49,0x46\r\n");
    auto machine = std::make_unique<sim::SimMachine>();
    std::memset(machine.get(), 0, sizeof(sim::SimMachine));
    ASSERT_TRUE(sim::LoadProfile(profile.Path(), *machine));
    const sim::SimRadio& r = machine->radio;
    EXPECT_EQ(r.modelled, 1);
    EXPECT_EQ(r.areaSize, sim::kLocatorAreaCapacity);
    EXPECT_EQ(r.formatVersion, 4);
    EXPECT_EQ(r.legacyRes1, -2);
    EXPECT_EQ(r.area[0], 0x30);
    EXPECT_EQ(r.working[5], 0x46);
    // Wi-Fi follows the switch, which is off; Bluetooth was disabled; no WWAN.
    EXPECT_EQ(machine->firmware.radioStatus, 0x00060303u);
}

TEST(RadioProfiles, WithoutARadioSectionEveryRadioCallAnswersTheStatusWord)
{
    auto machine = simtest::LoadedMachine(L"halvorn");
    ASSERT_TRUE(machine);
    EXPECT_EQ(machine->radio.modelled, 0);
    for (uint32_t arg1 : {0x00u, 0x02u, 0x0C10u, 0x010001u}) {
        std::vector<uint8_t> request = Request(0x11, 0x0B, arg1);
        BiosCallBuffer answer = Record(sim::AnswerCall(*machine, request.data(), request.size()));
        EXPECT_EQ(answer.cbRes2, machine->firmware.radioStatus) << arg1;
        EXPECT_EQ(answer.cbRes3, 0u) << arg1;
    }
    std::vector<uint8_t> legacy = Request(0x11, 0x02);
    EXPECT_EQ(Record(sim::AnswerCall(*machine, legacy.data(), legacy.size())).cbRes1, -1);
}

} // namespace
