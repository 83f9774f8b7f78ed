#pragma once
#include <windows.h>

#include <wbemidl.h>

// The few places where the product reaches platform pieces that a simulated
// notebook can stand in for. Each hands out the real Windows object, or the
// simulated notebook's when TAVRIN_SIMULATED_MACHINE names a machine profile
// (TavrinSim.dll is then loaded from the program's folder). Nothing above
// these functions knows which one it got.
//
// A program asked to run on a simulated notebook never falls back to the
// real platform: when TavrinSim.dll cannot be loaded or offers no seam table
// this program understands, the first seam used says why (standard error and
// the debugger output) and ends the process with kExitSimulatorUnavailable.
namespace seams {

inline constexpr UINT kExitSimulatorUnavailable = 75;

// A WMI locator. With simulation on, its root\wmi namespace holds the
// firmware classes and every other namespace is the real one.
HRESULT CreateWbemLocator(IWbemLocator** locator);

// The power source and battery summary, as GetSystemPowerStatus.
BOOL GetPowerStatus(SYSTEM_POWER_STATUS* status);

} // namespace seams
