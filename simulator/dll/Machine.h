#pragma once
#include "MachineState.h"

namespace sim {

// The machine block of this process, opened on first use. The profile named
// by TAVRIN_SIMULATED_MACHINE is loaded when the block holds another or none.
CMachineState& Machine();

} // namespace sim
