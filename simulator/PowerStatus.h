#pragma once
#include <windows.h>

#include "SimMachine.h"

namespace sim {

// The power source and battery summary as GetSystemPowerStatus reports it.
SYSTEM_POWER_STATUS PowerStatusOf(const SimPower& power);

} // namespace sim
