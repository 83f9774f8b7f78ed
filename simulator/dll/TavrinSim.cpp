// The one entry point the product's platform seams resolve when simulation
// is on: the table of every simulated platform object.
#include <windows.h>

#include <wbemidl.h>

#include "AudioEnumerator.h"
#include "BatteryModel.h"
#include "Locator.h"
#include "Machine.h"
#include "PowerPlans.h"
#include "PowerStatus.h"
#include "SeamTable.h"
#include "SimDeviceTree.h"
#include "UniqueHandle.h"

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
    sim::AdvanceBatteries(*machine, sim::NowMs());
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

BOOLEAN WINAPI IsPwrHibernateAllowed()
{
    sim::CMachineState::Lock machine(sim::Machine());
    return machine.Held() && machine->sleep.hibernateAllowed != 0;
}

constexpr int kSystemReserveHiberFile = 10;
constexpr LONG kStatusSuccess = 0;
constexpr LONG kStatusAccessDenied = static_cast<LONG>(0xC0000022);
constexpr LONG kStatusUnsuccessful = static_cast<LONG>(0xC0000001);
constexpr LONG kStatusInvalidParameter = static_cast<LONG>(0xC000000D);

// Only reserving the hibernation file is simulated; it makes hibernation possible.
LONG WINAPI CallNtPowerInformation(int level, void* input, ULONG inputBytes, void*, ULONG)
{
    if (level != kSystemReserveHiberFile || input == nullptr || inputBytes < 1)
        return kStatusInvalidParameter;
    sim::CMachineState::Lock machine(sim::Machine());
    if (!machine.Held()) return kStatusUnsuccessful;
    sim::SimSleep& sleep = machine->sleep;
    ++sleep.reserveCalls;
    switch (sleep.reserve) {
    case sim::ReserveOutcome::Enable:
        sleep.hibernateAllowed = *static_cast<const uint8_t*>(input) != 0;
        return kStatusSuccess;
    case sim::ReserveOutcome::AccessDenied:
        ::SetLastError(ERROR_ACCESS_DENIED);
        return kStatusAccessDenied;
    default:
        ::SetLastError(ERROR_GEN_FAILURE);
        return kStatusUnsuccessful;
    }
}

// How long a suspended caller waits for `simctl resume` before the machine
// wakes by itself, so that a test that forgets it cannot hang a program.
constexpr DWORD kLongestSleepMs = 120000;

// Windows tells every window before it suspends, and a request that a driver
// vetoes fails after the windows were told so.
BOOL Suspend(bool hibernate, bool force)
{
    UniqueHandle resume(::CreateEventW(nullptr, TRUE, FALSE, sim::kResumeEventName));
    {
        sim::CMachineState::Lock machine(sim::Machine());
        if (!machine.Held() || !resume) {
            ::SetLastError(ERROR_GEN_FAILURE);
            return FALSE;
        }
        sim::SimSleep& sleep = machine->sleep;
        ++sleep.requests;
        if (force) ++sleep.forced;
        if (hibernate && !sleep.hibernateAllowed) {
            ::SetLastError(ERROR_NOT_SUPPORTED);
            return FALSE;
        }
        if (sleep.outcome == sim::SleepOutcome::Fail) {
            ::SetLastError(ERROR_GEN_FAILURE);
            return FALSE;
        }
        if (sleep.outcome == sim::SleepOutcome::Veto && !force) {
            ++sleep.vetoes;
            ::PostMessageW(HWND_BROADCAST, WM_POWERBROADCAST, PBT_APMQUERYSUSPENDFAILED, 0);
            ::SetLastError(ERROR_CANCELLED);
            return FALSE;
        }
        ++(hibernate ? sleep.hibernations : sleep.sleeps);
        sleep.asleep = 1;
        ::ResetEvent(resume.get());
    }
    ::PostMessageW(HWND_BROADCAST, WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    ::WaitForSingleObject(resume.get(), kLongestSleepMs);
    sim::CMachineState::Lock machine(sim::Machine());
    if (machine.Held()) machine->sleep.asleep = 0;
    return TRUE;
}

BOOLEAN WINAPI SetSuspendState(BOOLEAN hibernate, BOOLEAN force, BOOLEAN)
{
    return Suspend(hibernate != 0, force != 0) ? TRUE : FALSE;
}

BOOL WINAPI SetSystemPowerState(BOOL suspend, BOOL force)
{
    return Suspend(suspend == 0, force != 0);
}

IDeviceTree* WINAPI DeviceTree()
{
    if (!sim::Machine().IsOpen()) return nullptr;
    static sim::CSimDeviceTree tree(sim::Machine());
    return &tree;
}

// The lock keys from the machine; every other key is up.
SHORT WINAPI GetKeyState(int virtualKey)
{
    sim::CMachineState::Lock machine(sim::Machine());
    if (!machine.Held()) return 0;
    const sim::SimLockKeys& locks = machine->lockKeys;
    switch (virtualKey) {
    case VK_CAPITAL:
        return locks.caps ? 1 : 0;
    case VK_NUMLOCK:
        return locks.num ? 1 : 0;
    case VK_SCROLL:
        return locks.scroll ? 1 : 0;
    default:
        return 0;
    }
}

constexpr TavrinSeamTable kSeams = {
    kSeamTableVersion,
    sizeof(TavrinSeamTable),
    CreateWbemLocator,
    GetPowerStatus,
    CreateAudioDeviceEnumerator,
    PowerGetActiveScheme,
    PowerSettingAccessCheck,
    PowerReadValueIndex,
    PowerWriteValueIndex,
    PowerSetActiveScheme,
    IsPwrHibernateAllowed,
    CallNtPowerInformation,
    SetSuspendState,
    SetSystemPowerState,
    DeviceTree,
    GetKeyState,
};

} // namespace

extern "C" const TavrinSeamTable* WINAPI TavrinSimGetSeams(UINT version)
{
    return version <= kSeams.version ? &kSeams : nullptr;
}
