// The one entry point the product's platform seams resolve when simulation
// is on: the table of every simulated platform object.
#include <windows.h>

#include <wbemidl.h>

#include "AudioEnumerator.h"
#include "Locator.h"
#include "Machine.h"
#include "PowerPlans.h"
#include "PowerStatus.h"
#include "SeamTable.h"

namespace {

HRESULT WINAPI CreateWbemLocator(IWbemLocator** locator)
{
    if (!locator) return E_POINTER;
    *locator = nullptr;
    if (!sim::Machine().IsOpen()) return E_FAIL;
    Microsoft::WRL::ComPtr<sim::CLocator> made = sim::CLocator::Create();
    if (!made) return E_OUTOFMEMORY;
    *locator = made.Detach();
    return S_OK;
}

BOOL WINAPI GetPowerStatus(SYSTEM_POWER_STATUS* status)
{
    if (!status) return FALSE;
    sim::CMachineState::Lock machine(sim::Machine());
    if (!machine.Held()) return FALSE;
    *status = sim::PowerStatusOf(machine->power);
    return TRUE;
}

HRESULT WINAPI CreateAudioDeviceEnumerator(IMMDeviceEnumerator** enumerator)
{
    if (!enumerator) return E_POINTER;
    *enumerator = nullptr;
    if (!sim::Machine().IsOpen()) return E_FAIL;
    Microsoft::WRL::ComPtr<sim::CAudioEnumerator> made = sim::CAudioEnumerator::Create();
    if (!made) return E_OUTOFMEMORY;
    *enumerator = made.Detach();
    return S_OK;
}

// The power-plan calls on the machine's plans, under its lock.
template <typename Call>
DWORD OnPlans(Call call)
{
    sim::CMachineState::Lock machine(sim::Machine());
    if (!machine.Held()) return ERROR_GEN_FAILURE;
    return call(machine->powerPlans);
}

bool ValidSource(uint32_t source)
{
    return source == 0 || source == 1;
}

sim::PlanSource SourceOf(uint32_t source)
{
    return source == 0 ? sim::PlanSource::Ac : sim::PlanSource::Dc;
}

DWORD WINAPI PowerGetActiveScheme(GUID* scheme)
{
    if (!scheme) return ERROR_INVALID_PARAMETER;
    return OnPlans([&](sim::SimPowerPlans& plans) { return sim::GetActivePlan(plans, *scheme); });
}

DWORD WINAPI PowerSettingAccessCheck(int access, const GUID* scheme)
{
    if (!scheme) return ERROR_INVALID_PARAMETER;
    return OnPlans([&](sim::SimPowerPlans& plans) { return sim::CheckPlanAccess(plans, access, *scheme); });
}

DWORD WINAPI PowerReadValueIndex(uint32_t source, const GUID* scheme, const GUID* subgroup,
                                 const GUID* setting, DWORD* value)
{
    if (!ValidSource(source) || !scheme || !subgroup || !setting || !value) return ERROR_INVALID_PARAMETER;
    return OnPlans([&](sim::SimPowerPlans& plans) {
        return sim::ReadPlanValue(plans, SourceOf(source), *scheme, *subgroup, *setting, *value);
    });
}

DWORD WINAPI PowerWriteValueIndex(uint32_t source, const GUID* scheme, const GUID* subgroup,
                                  const GUID* setting, DWORD value)
{
    if (!ValidSource(source) || !scheme || !subgroup || !setting) return ERROR_INVALID_PARAMETER;
    return OnPlans([&](sim::SimPowerPlans& plans) {
        return sim::WritePlanValue(plans, SourceOf(source), *scheme, *subgroup, *setting, value);
    });
}

DWORD WINAPI PowerSetActiveScheme(const GUID* scheme)
{
    if (!scheme) return ERROR_INVALID_PARAMETER;
    return OnPlans([&](sim::SimPowerPlans& plans) { return sim::ActivatePlan(plans, *scheme); });
}

constexpr TavrinSeamTable kSeams = {
    kSeamTableVersion,           sizeof(TavrinSeamTable), CreateWbemLocator,       GetPowerStatus,
    CreateAudioDeviceEnumerator, PowerGetActiveScheme,    PowerSettingAccessCheck, PowerReadValueIndex,
    PowerWriteValueIndex,        PowerSetActiveScheme,
};

} // namespace

extern "C" const TavrinSeamTable* WINAPI TavrinSimGetSeams(UINT version)
{
    return version <= kSeams.version ? &kSeams : nullptr;
}
