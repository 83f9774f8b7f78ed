#include "PlatformSeams.h"

#include <string>

#include "ModuleFolder.h"
#include "ProcAddress.h"
#include "SeamTable.h"
#include "UniqueHandle.h"
#include "Utf8.h"
#include "WindowsDeviceTree.h"

namespace seams {
namespace {

constexpr wchar_t kSimulationVariable[] = L"TAVRIN_SIMULATED_MACHINE";
constexpr wchar_t kSimulatorDll[] = L"TavrinSim.dll";
constexpr CLSID kMMDeviceEnumerator
    = {0xBCDE0395, 0xE52F, 0x467C, {0x8E, 0x3D, 0xC4, 0x57, 0x92, 0x91, 0x69, 0x2E}};

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
           && table.createWbemLocator && table.getPowerStatus && table.createAudioDeviceEnumerator
           && table.powerGetActiveScheme && table.powerSettingAccessCheck && table.powerReadValueIndex
           && table.powerWriteValueIndex && table.powerSetActiveScheme && table.isPwrHibernateAllowed
           && table.callNtPowerInformation && table.setSuspendState && table.setSystemPowerState
           && table.deviceTree && table.getKeyState;
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

// powrprof's power-plan calls, resolved once. Absent ones stay null.
struct PowerPlanCalls {
    using GetActive = DWORD(WINAPI*)(HKEY, GUID**);
    using AccessCheck = DWORD(WINAPI*)(POWER_DATA_ACCESSOR, const GUID*);
    using ReadIndex = DWORD(WINAPI*)(HKEY, const GUID*, const GUID*, const GUID*, LPDWORD);
    using WriteIndex = DWORD(WINAPI*)(HKEY, const GUID*, const GUID*, const GUID*, DWORD);
    using SetActive = DWORD(WINAPI*)(HKEY, const GUID*);

    GetActive getActive = nullptr;
    AccessCheck accessCheck = nullptr;
    ReadIndex readAc = nullptr;
    ReadIndex readDc = nullptr;
    WriteIndex writeAc = nullptr;
    WriteIndex writeDc = nullptr;
    SetActive setActive = nullptr;
};

// Loaded for the life of the process, like every system DLL the suite uses.
const PowerPlanCalls& PowerPlans()
{
    static const PowerPlanCalls calls = [] {
        PowerPlanCalls c;
        const HMODULE dll = ::LoadLibraryExW(L"powrprof.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        c.getActive = ResolveExport<PowerPlanCalls::GetActive>(dll, "PowerGetActiveScheme");
        c.accessCheck = ResolveExport<PowerPlanCalls::AccessCheck>(dll, "PowerSettingAccessCheck");
        c.readAc = ResolveExport<PowerPlanCalls::ReadIndex>(dll, "PowerReadACValueIndex");
        c.readDc = ResolveExport<PowerPlanCalls::ReadIndex>(dll, "PowerReadDCValueIndex");
        c.writeAc = ResolveExport<PowerPlanCalls::WriteIndex>(dll, "PowerWriteACValueIndex");
        c.writeDc = ResolveExport<PowerPlanCalls::WriteIndex>(dll, "PowerWriteDCValueIndex");
        c.setActive = ResolveExport<PowerPlanCalls::SetActive>(dll, "PowerSetActiveScheme");
        return c;
    }();
    return calls;
}

// Calls one powrprof function, loaded for the call and freed after it.
template <typename Fn, typename Result, typename Call>
Result WithPowrprof(const char* name, Result missing, Call call)
{
    UniqueModule dll(::LoadLibraryExW(L"powrprof.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    const auto fn = ResolveExport<Fn>(dll.get(), name);
    return fn ? call(fn) : missing;
}

constexpr LONG kStatusSuccess = 0;
constexpr LONG kStatusAccessDenied = static_cast<LONG>(0xC0000022);

uint32_t SourceCode(PowerSource source)
{
    return source == PowerSource::Ac ? 0u : 1u;
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

HRESULT CreateAudioDeviceEnumerator(IMMDeviceEnumerator** enumerator)
{
    if (!enumerator) return E_POINTER;
    *enumerator = nullptr;
    if (const TavrinSeamTable* simulator = Simulator())
        return simulator->createAudioDeviceEnumerator(enumerator);
    return ::CoCreateInstance(kMMDeviceEnumerator, nullptr, CLSCTX_ALL, __uuidof(IMMDeviceEnumerator),
                              reinterpret_cast<void**>(enumerator));
}

DWORD PowerGetActiveScheme(GUID* scheme)
{
    if (!scheme) return ERROR_INVALID_PARAMETER;
    *scheme = GUID_NULL;
    if (const TavrinSeamTable* simulator = Simulator()) return simulator->powerGetActiveScheme(scheme);
    const auto getActive = PowerPlans().getActive;
    if (!getActive) return ERROR_PROC_NOT_FOUND;
    GUID* active = nullptr;
    const DWORD result = getActive(nullptr, &active);
    if (result == ERROR_SUCCESS && active) *scheme = *active;
    if (active) ::LocalFree(active);
    return result == ERROR_SUCCESS && !active ? ERROR_INVALID_DATA : result;
}

DWORD PowerSettingAccessCheck(POWER_DATA_ACCESSOR access, const GUID& scheme)
{
    if (const TavrinSeamTable* simulator = Simulator()) {
        return simulator->powerSettingAccessCheck(static_cast<int>(access), &scheme);
    }
    const auto accessCheck = PowerPlans().accessCheck;
    return accessCheck ? accessCheck(access, &scheme) : ERROR_PROC_NOT_FOUND;
}

DWORD PowerReadValueIndex(PowerSource source, const GUID& scheme, const GUID& subgroup, const GUID& setting,
                          DWORD* value)
{
    if (!value) return ERROR_INVALID_PARAMETER;
    *value = 0;
    if (const TavrinSeamTable* simulator = Simulator()) {
        return simulator->powerReadValueIndex(SourceCode(source), &scheme, &subgroup, &setting, value);
    }
    const auto read = source == PowerSource::Ac ? PowerPlans().readAc : PowerPlans().readDc;
    return read ? read(nullptr, &scheme, &subgroup, &setting, value) : ERROR_PROC_NOT_FOUND;
}

DWORD PowerWriteValueIndex(PowerSource source, const GUID& scheme, const GUID& subgroup, const GUID& setting,
                           DWORD value)
{
    if (const TavrinSeamTable* simulator = Simulator()) {
        return simulator->powerWriteValueIndex(SourceCode(source), &scheme, &subgroup, &setting, value);
    }
    const auto write = source == PowerSource::Ac ? PowerPlans().writeAc : PowerPlans().writeDc;
    return write ? write(nullptr, &scheme, &subgroup, &setting, value) : ERROR_PROC_NOT_FOUND;
}

DWORD PowerSetActiveScheme(const GUID& scheme)
{
    if (const TavrinSeamTable* simulator = Simulator()) return simulator->powerSetActiveScheme(&scheme);
    const auto setActive = PowerPlans().setActive;
    return setActive ? setActive(nullptr, &scheme) : ERROR_PROC_NOT_FOUND;
}

} // namespace seams

namespace seams {

bool IsPwrHibernateAllowed()
{
    if (const TavrinSeamTable* simulator = Simulator()) return simulator->isPwrHibernateAllowed() != 0;
    using Fn = BOOLEAN(WINAPI*)();
    return WithPowrprof<Fn>("IsPwrHibernateAllowed", false, [](Fn fn) { return fn() != 0; });
}

LONG CallNtPowerInformation(POWER_INFORMATION_LEVEL level, void* input, ULONG inputBytes, void* output,
                            ULONG outputBytes)
{
    if (const TavrinSeamTable* simulator = Simulator())
        return simulator->callNtPowerInformation(static_cast<int>(level), input, inputBytes, output,
                                                 outputBytes);
    using Fn = LONG(WINAPI*)(POWER_INFORMATION_LEVEL, PVOID, ULONG, PVOID, ULONG);
    constexpr LONG kStatusProcedureNotFound = static_cast<LONG>(0xC000007A);
    const LONG status = WithPowrprof<Fn>("CallNtPowerInformation", kStatusProcedureNotFound, [&](Fn fn) {
        return fn(level, input, inputBytes, output, outputBytes);
    });
    // The call reports an NTSTATUS only; callers read the last error.
    if (status != kStatusSuccess)
        ::SetLastError(status == kStatusAccessDenied ? ERROR_ACCESS_DENIED : ERROR_GEN_FAILURE);
    return status;
}

bool SetSuspendState(bool hibernate, bool force, bool disableWakeEvents)
{
    if (const TavrinSeamTable* simulator = Simulator())
        return simulator->setSuspendState(hibernate, force, disableWakeEvents) != 0;
    using Fn = BOOLEAN(WINAPI*)(BOOLEAN, BOOLEAN, BOOLEAN);
    return WithPowrprof<Fn>("SetSuspendState", false,
                            [&](Fn fn) { return fn(hibernate, force, disableWakeEvents) != 0; });
}

bool SetSystemPowerState(bool suspend, bool force)
{
    if (const TavrinSeamTable* simulator = Simulator())
        return simulator->setSystemPowerState(suspend, force) != 0;
    return ::SetSystemPowerState(suspend, force) != 0;
}

IDeviceTree& DeviceTree()
{
    static IDeviceTree* const tree = [] {
        static CWindowsDeviceTree windows;
        const TavrinSeamTable* simulator = Simulator();
        if (!simulator) return static_cast<IDeviceTree*>(&windows);
        IDeviceTree* simulated = simulator->deviceTree();
        if (!simulated) StopWithoutSimulator(L"the simulated device tree cannot be opened");
        return simulated;
    }();
    return *tree;
}

// The tray never has the keyboard's focus, so its own key state would only
// follow the keys it reads itself; asking for the key's asynchronous state
// first brings it up to the desktop's.
SHORT GetKeyState(int virtualKey)
{
    if (const TavrinSeamTable* simulator = Simulator()) return simulator->getKeyState(virtualKey);
    ::GetAsyncKeyState(virtualKey);
    return ::GetKeyState(virtualKey);
}

} // namespace seams
