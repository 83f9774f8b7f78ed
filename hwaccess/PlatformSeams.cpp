#include "PlatformSeams.h"

#include <string>

namespace seams {
namespace {

// The simulated notebook's entry points, resolved once per process.
struct SimulatedMachine {
    using CreateLocatorFn = HRESULT(WINAPI*)(IWbemLocator**);
    using PowerStatusFn = BOOL(WINAPI*)(SYSTEM_POWER_STATUS*);

    CreateLocatorFn createLocator = nullptr;
    PowerStatusFn powerStatus = nullptr;

    // Deliberately never freed: COM objects it hands out may live until exit.
    static const SimulatedMachine& Get() {
        static const SimulatedMachine machine = Load();
        return machine;
    }

private:
    static std::wstring ProgramFolder() {
        wchar_t path[MAX_PATH];
        DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        if (n == 0 || n >= MAX_PATH) return L"";
        std::wstring folder(path, n);
        return folder.substr(0, folder.find_last_of(L"\\/") + 1);
    }

    static SimulatedMachine Load() {
        SimulatedMachine machine;
        if (::GetEnvironmentVariableW(L"TAVRIN_SIMULATED_MACHINE", nullptr, 0) == 0) return machine;
        HMODULE dll = ::LoadLibraryW((ProgramFolder() + L"TavrinSim.dll").c_str());
        if (!dll) return machine;
        machine.createLocator = reinterpret_cast<CreateLocatorFn>(
            reinterpret_cast<void*>(::GetProcAddress(dll, "TavrinSimCreateWbemLocator")));
        machine.powerStatus = reinterpret_cast<PowerStatusFn>(
            reinterpret_cast<void*>(::GetProcAddress(dll, "TavrinSimGetPowerStatus")));
        return machine;
    }
};

} // namespace

HRESULT CreateWbemLocator(IWbemLocator** locator) {
    if (!locator) return E_POINTER;
    *locator = nullptr;
    if (auto create = SimulatedMachine::Get().createLocator) return create(locator);
    return ::CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                              reinterpret_cast<void**>(locator));
}

BOOL GetPowerStatus(SYSTEM_POWER_STATUS* status) {
    if (!status) return FALSE;
    if (auto power = SimulatedMachine::Get().powerStatus) return power(status);
    return ::GetSystemPowerStatus(status);
}

} // namespace seams
