#pragma once
#include <string>
#include <vector>

#include "SimMachine.h"

namespace sim {

// The last kCallLogSize answered calls, kept in the shared block.
void LogCall(SimMachine& machine, SimCall call);
void ClearCalls(SimMachine& machine);
// Oldest first.
std::vector<SimCall> LoggedCalls(const SimMachine& machine);
// One line as `simctl calls` prints it (without the line end).
std::string FormatCall(const SimCall& call);

} // namespace sim
