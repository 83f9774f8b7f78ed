// The one entry point the product's platform seams resolve when simulation
// is on: the table of every simulated platform object.
#include <windows.h>

#include <wbemidl.h>

#include "Locator.h"
#include "Machine.h"
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

constexpr TavrinSeamTable kSeams = {
    kSeamTableVersion,
    sizeof(TavrinSeamTable),
    CreateWbemLocator,
    GetPowerStatus,
};

} // namespace

extern "C" const TavrinSeamTable* WINAPI TavrinSimGetSeams(UINT version)
{
    return version <= kSeams.version ? &kSeams : nullptr;
}
