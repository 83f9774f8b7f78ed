#pragma once
#include <string>
#include <vector>

#include "MachineState.h"

namespace simctl {

// A printf-formatted piece of simctl's output (at most 1023 bytes).
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

using Args = std::vector<std::wstring>;

// Exit codes: 0 done, 1 the command failed, 2 the command line was wrong.
enum Exit { kDone = 0, kFailed = 1, kUsage = 2 };

void Print(const std::string& utf8);
int Usage(const char* message);

int Load(sim::CMachineState& state, const Args& args);
int Show(sim::CMachineState& state, const Args& args);
int Set(sim::CMachineState& state, const Args& args);
int GetValue(sim::CMachineState& state, const Args& args);
int Calls(sim::CMachineState& state, const Args& args);
int ClearCalls(sim::CMachineState& state, const Args& args);
int FailNext(sim::CMachineState& state, const Args& args);
int AnswerNext(sim::CMachineState& state, const Args& args);
int Answer(sim::CMachineState& state, const Args& args);
int AnswerClear(sim::CMachineState& state, const Args& args);
int Alert(sim::CMachineState& state, const Args& args);

int Event(sim::CMachineState& state, const Args& args);
int EventList(sim::CMachineState& state, const Args& args);
int EventRaw(sim::CMachineState& state, const Args& args);
int Suspend(sim::CMachineState& state, const Args& args);
int Resume(sim::CMachineState& state, const Args& args);
int Key(sim::CMachineState& state, const Args& args);

int PowerPlans(sim::CMachineState& state, const Args& args);
int PowerPlanFail(sim::CMachineState& state, const Args& args);
int PowerPlanActive(sim::CMachineState& state, const Args& args);
int BrightnessEvent(sim::CMachineState& state, const Args& args);

int Audio(sim::CMachineState& state, const Args& args);
int Volume(sim::CMachineState& state, const Args& args);
int Mute(sim::CMachineState& state, const Args& args);
int VolumeUp(sim::CMachineState& state, const Args& args);
int VolumeDown(sim::CMachineState& state, const Args& args);
int AudioDefault(sim::CMachineState& state, const Args& args);

int Radios(sim::CMachineState& state, const Args& args);
int RadioSwitch(sim::CMachineState& state, const Args& args);
int Locator(sim::CMachineState& state, const Args& args);

int Als(sim::CMachineState& state, const Args& args);
int AlsKey(sim::CMachineState& state, const Args& args);

int Battery(sim::CMachineState& state, const Args& args);
int Devices(sim::CMachineState& state, const Args& args);
int BatteryInsert(sim::CMachineState& state, const Args& args);
int BatteryRemove(sim::CMachineState& state, const Args& args);
int BatteryAge(sim::CMachineState& state, const Args& args);
int BatteryFail(sim::CMachineState& state, const Args& args);
int BatteryHealth(sim::CMachineState& state, const Args& args);
int BatteryRate(sim::CMachineState& state, const Args& args);
int BatteryTimeScale(sim::CMachineState& state, const Args& args);
int ChargeDisable(sim::CMachineState& state, const Args& args);
int Ac(sim::CMachineState& state, const Args& args);

// The batteries as battery prints them (moved to the present moment first).
std::string BatteriesText(sim::SimMachine& machine);

// The power plans, the audio endpoints and the radios as power-plans, audio
// and radios print them.
std::string PowerPlansText(const sim::SimMachine& machine);
std::string AudioText(const sim::SimMachine& machine);
std::string RadioText(const sim::SimMachine& machine);
std::string AlsText(const sim::SimMachine& machine);

// Tells every top-level window that the power state changed, as Windows does.
void BroadcastPower(unsigned event);

} // namespace simctl
