#pragma once
#include <windows.h>

#include <string>

#include "SimMachine.h"

// The simulated notebook's power plans: what the power-plan calls of the
// product's seams answer, shared by the DLL and simctl. Results are Win32
// error codes, as the system's calls return them.
namespace sim {

// The display subgroup and its brightness setting.
inline constexpr GUID kVideoSubgroup
    = {0x7516B95F, 0xF776, 0x4464, {0x8C, 0x53, 0x06, 0x16, 0x7F, 0x40, 0xCC, 0x99}};
inline constexpr GUID kVideoBrightness
    = {0xADED5E82, 0xB909, 0x4619, {0x99, 0x49, 0xF5, 0xD7, 0x1D, 0xAC, 0x0B, 0xCB}};

// The three plans every machine starts with ("Balanced" active) and their
// brightness on AC and on battery.
void LoadDefaultPlans(SimPowerPlans& plans);
// Adds a plan; false when the table is full or the name is empty.
bool AddPlan(SimPowerPlans& plans, const GUID& guid, const std::wstring& name, uint32_t acBrightness,
             uint32_t dcBrightness);

SimPowerPlan* FindPlan(SimPowerPlans& plans, const GUID& guid);
const SimPlanValue* FindPlanValue(const SimPowerPlan& plan, const GUID& subgroup, const GUID& setting);
// A plan by 1-based number or by name (ignoring case); null when none.
SimPowerPlan* PlanByNumberOrName(SimPowerPlans& plans, const std::wstring& text);

DWORD GetActivePlan(const SimPowerPlans& plans, GUID& scheme);
// `access` is a POWER_DATA_ACCESSOR.
DWORD CheckPlanAccess(const SimPowerPlans& plans, int access, const GUID& scheme);
DWORD ReadPlanValue(const SimPowerPlans& plans, PlanSource source, const GUID& scheme, const GUID& subgroup,
                    const GUID& setting, DWORD& value);
// A new setting takes a free value slot; the brightness accepts 0..100.
DWORD WritePlanValue(SimPowerPlans& plans, PlanSource source, const GUID& scheme, const GUID& subgroup,
                     const GUID& setting, DWORD value);
DWORD ActivatePlan(SimPowerPlans& plans, const GUID& scheme);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"; and back, false for anything else.
std::wstring GuidText(const GUID& guid);
bool ParseGuid(const std::wstring& text, GUID& guid);

} // namespace sim
