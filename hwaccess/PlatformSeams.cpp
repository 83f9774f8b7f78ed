#include "PlatformSeams.h"

#include <string>

#include "ModuleFolder.h"
#include "ProcAddress.h"
#include "SeamTable.h"
#include "Utf8.h"

namespace seams {
namespace {

constexpr wchar_t kSimulationVariable[] = L"TAVRIN_SIMULATED_MACHINE";
constexpr wchar_t kSimulatorDll[] = L"TavrinSim.dll";

[[noreturn]] void StopWithoutSimulator(const std::wstring& why)
{
    const std::wstring line = std::wstring(kSimulationVariable)
                              + L" is set, but the simulated notebook cannot be used: " + why + L"\n";
    ::OutputDebugStringW(line.c_str());
    const HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
    if (err && err != INVALID_HANDLE_VALUE) {
        const std::string text = Utf8(line);
        DWORD written = 0;
        ::WriteFile(err, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }
    ::ExitProcess(kExitSimulatorUnavailable);
}

bool Complete(const TavrinSeamTable& table)
{
    return table.version >= kSeamTableVersion && table.size >= sizeof(TavrinSeamTable)
           && table.createWbemLocator && table.getPowerStatus;
}

// The DLL is deliberately never freed: COM objects it hands out may live
// until the process ends.
const TavrinSeamTable& LoadSimulator()
{
    const std::wstring path = ModuleFolder() + kSimulatorDll;
    const HMODULE dll = ::LoadLibraryW(path.c_str());
    if (!dll) {
        StopWithoutSimulator(path + L" cannot be loaded (error " + std::to_wstring(::GetLastError()) + L")");
    }
    const auto getSeams = ResolveExport<TavrinSimGetSeamsFn>(dll, kSeamTableExport);
    if (!getSeams) StopWithoutSimulator(path + L" has no export TavrinSimGetSeams");
    const TavrinSeamTable* table = getSeams(kSeamTableVersion);
    if (!table || !Complete(*table)) {
        StopWithoutSimulator(path + L" offers no seam table of version "
                             + std::to_wstring(kSeamTableVersion));
    }
    return *table;
}

// Decided once per process, on the first seam used.
const TavrinSeamTable* Simulator()
{
    static const TavrinSeamTable* const table
        = ::GetEnvironmentVariableW(kSimulationVariable, nullptr, 0) != 0 ? &LoadSimulator() : nullptr;
    return table;
}

} // namespace

HRESULT CreateWbemLocator(IWbemLocator** locator)
{
    if (!locator) return E_POINTER;
    *locator = nullptr;
    if (const TavrinSeamTable* simulator = Simulator()) return simulator->createWbemLocator(locator);
    return ::CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                              reinterpret_cast<void**>(locator));
}

BOOL GetPowerStatus(SYSTEM_POWER_STATUS* status)
{
    if (!status) return FALSE;
    if (const TavrinSeamTable* simulator = Simulator()) return simulator->getPowerStatus(status);
    return ::GetSystemPowerStatus(status);
}

} // namespace seams
