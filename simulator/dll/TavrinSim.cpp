// Entry points the product's platform seams resolve when simulation is on.
#include <windows.h>
#include <wbemidl.h>

#include "Locator.h"
#include "Machine.h"
#include "PowerStatus.h"

extern "C" HRESULT WINAPI TavrinSimCreateWbemLocator(IWbemLocator** locator) {
    if (!locator) return E_POINTER;
    *locator = nullptr;
    if (!sim::Machine().IsOpen()) return E_FAIL;
    Microsoft::WRL::ComPtr<sim::CLocator> made = sim::CLocator::Create();
    if (!made) return E_OUTOFMEMORY;
    *locator = made.Detach();
    return S_OK;
}

extern "C" BOOL WINAPI TavrinSimGetPowerStatus(SYSTEM_POWER_STATUS* status) {
    if (!status) return FALSE;
    sim::CMachineState::Lock machine(sim::Machine());
    if (!machine.Held()) return FALSE;
    *status = sim::PowerStatusOf(machine->power);
    return TRUE;
}
