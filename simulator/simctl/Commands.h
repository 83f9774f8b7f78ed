#pragma once
#include <string>
#include <vector>

#include "MachineState.h"

namespace simctl {

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

// The power plans and the audio endpoints as power-plans and audio print them.
std::string PowerPlansText(const sim::SimMachine& machine);
std::string AudioText(const sim::SimMachine& machine);

// Tells every top-level window that the power state changed, as Windows does.
void BroadcastPower(unsigned event);

} // namespace simctl
