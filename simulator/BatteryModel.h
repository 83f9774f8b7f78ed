#pragma once
#include <cstdint>
#include <string>

#include "SimMachine.h"

namespace sim {

// The simulated batteries over time. Every reader of the batteries first
// moves them to the present moment: a charging battery gains its charge rate
// for the time that passed, stops at full and then idles; without AC one
// battery at a time carries the machine, primary first. The power summary
// (SimPower) follows the batteries whenever the profile has any.

inline constexpr int kPrimarySlot = 0;
inline constexpr int kSecondarySlot = 1;
inline constexpr int kDockSlot = 2;

// Milliseconds of system time, the same in every process of the run.
uint64_t NowMs();

// Moves every battery from the last advance to nowMs (never backwards).
void AdvanceBatteries(SimMachine& machine, uint64_t nowMs);

// A battery as a profile without other values describes it: a healthy
// six-cell Li-ion pack of 56 Wh.
SimBattery DefaultBattery(int slot);

// Puts a battery into a slot (a fresh tag, as a new insertion) or takes it out.
void InsertBattery(SimMachine& machine, int slot, const SimBattery& battery);
void RemoveBattery(SimMachine& machine, int slot);

// "primary", "secondary", "dock" and back; -1 for any other name.
int SlotOfName(const std::wstring& name);
const char* SlotName(int slot);
// The firmware's battery number of a slot (1, 2, 128), and back (-1: none).
uint16_t BatteryNumberOf(int slot);
int SlotOfBatteryNumber(uint32_t number);

// Charge in percent of the full capacity, 0..100, rounded.
int BatteryPercent(const SimBattery& battery);

// The firmware's battery calls: status and health (0x08), smart-battery
// registers (0x1E) and charge control (0x04/0x0C). False for other calls.
struct BatteryAnswer {
    int32_t res1 = -1;
    uint32_t res2 = 0;
    uint32_t res3 = 0;
    uint32_t res4 = 0;
};
bool AnswerBatteryCall(SimMachine& machine, uint16_t cbClass, uint16_t cbSelect, uint32_t arg1, uint32_t arg2,
                       BatteryAnswer& answer);

} // namespace sim
