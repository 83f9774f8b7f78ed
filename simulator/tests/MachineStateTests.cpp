#include <gtest/gtest.h>

#include "MachineState.h"

namespace {

TEST(MachineState, EveryViewSeesTheSameBlock)
{
    sim::CMachineState first;
    sim::CMachineState second;
    ASSERT_TRUE(first.IsOpen() && second.IsOpen());
    uint32_t before = 0;
    {
        sim::CMachineState::Lock machine(first);
        ASSERT_TRUE(machine.Held());
        before = machine->firmware.radioStatus;
        machine->firmware.radioStatus = before ^ 0x5A5A;
    }
    sim::CMachineState::Lock machine(second);
    ASSERT_TRUE(machine.Held());
    EXPECT_EQ(machine->firmware.radioStatus, before ^ 0x5A5A);
}

TEST(MachineState, ABlockOfAnotherLayoutStartsOverEmpty)
{
    {
        sim::CMachineState state;
        sim::CMachineState::Lock machine(state);
        ASSERT_TRUE(machine.Held());
        machine->version = sim::kSimMachineVersion + 1;
        machine->loaded = 1;
        machine->callCount = 7;
    }
    sim::CMachineState reopened;
    sim::CMachineState::Lock machine(reopened);
    ASSERT_TRUE(machine.Held());
    EXPECT_EQ(machine->magic, sim::kSimMachineMagic);
    EXPECT_EQ(machine->version, sim::kSimMachineVersion);
    EXPECT_EQ(machine->size, sizeof(sim::SimMachine));
    EXPECT_EQ(machine->loaded, 0u);
    EXPECT_EQ(machine->callCount, 0u);
}

} // namespace
