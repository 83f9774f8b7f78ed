#pragma once
#include <windows.h>

#include <mmdeviceapi.h>
#include <powrprof.h>
#include <wbemidl.h>

#include "DeviceTree.h"

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

// The audio device enumerator, as CoCreateInstance(CLSID_MMDeviceEnumerator).
// Its endpoints notify their callbacks on a thread of their own.
HRESULT CreateAudioDeviceEnumerator(IMMDeviceEnumerator** enumerator);

// The power plans, as powrprof's calls of the same names (the AC or the DC
// variant by `source`). Results are Win32 error codes; on Windows the calls
// are resolved when first used, so a system without one answers
// ERROR_PROC_NOT_FOUND instead of failing to start.
enum class PowerSource { Ac, Dc };
// Copies the active plan's GUID out: nothing for the caller to free.
DWORD PowerGetActiveScheme(GUID* scheme);
DWORD PowerSettingAccessCheck(POWER_DATA_ACCESSOR access, const GUID& scheme);
DWORD PowerReadValueIndex(PowerSource source, const GUID& scheme, const GUID& subgroup, const GUID& setting,
                          DWORD* value);
DWORD PowerWriteValueIndex(PowerSource source, const GUID& scheme, const GUID& subgroup, const GUID& setting,
                           DWORD value);
DWORD PowerSetActiveScheme(const GUID& scheme);

// Sleep and hibernation, as the calls of the same names. On Windows powrprof
// is loaded for each call and freed after it; a missing library or function
// reads as not allowed, or as a failure with ERROR_PROC_NOT_FOUND.
bool IsPwrHibernateAllowed();
// The NTSTATUS; a failure also leaves its Win32 code as the last error.
LONG CallNtPowerInformation(POWER_INFORMATION_LEVEL level, void* input, ULONG inputBytes, void* output,
                            ULONG outputBytes);
bool SetSuspendState(bool hibernate, bool force, bool disableWakeEvents);
bool SetSystemPowerState(bool suspend, bool force);

// The device tree: SetupAPI, configuration manager, volumes and device I/O.
// One object for the life of the process.
IDeviceTree& DeviceTree();

// A key's state as GetKeyState reports it (bit 0: a lock key is on), the
// desktop's rather than only what this thread has read.
SHORT GetKeyState(int virtualKey);

} // namespace seams
