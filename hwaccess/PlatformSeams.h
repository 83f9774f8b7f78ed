#pragma once
#include <windows.h>
#include <wbemidl.h>

// The few places where the product reaches platform pieces that a simulated
// notebook can stand in for. Each hands out the real Windows object, or the
// simulated notebook's when TAVRIN_SIMULATED_MACHINE names a machine profile
// (TavrinSim.dll is then loaded from the program's folder). Nothing above
// these functions knows which one it got.
namespace seams {

// A WMI locator. With simulation on, its root\wmi namespace holds the
// firmware classes and every other namespace is the real one.
HRESULT CreateWbemLocator(IWbemLocator** locator);

// The power source and battery summary, as GetSystemPowerStatus.
BOOL GetPowerStatus(SYSTEM_POWER_STATUS* status);

} // namespace seams
