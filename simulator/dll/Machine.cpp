#include "Machine.h"

#include <cwchar>
#include <string>

#include "MachineProfile.h"

namespace sim {
namespace {

constexpr wchar_t kDefaultProfile[] = L"corvane-default";

std::wstring WantedProfile()
{
    wchar_t name[kProfileNameLength] = {};
    DWORD n = ::GetEnvironmentVariableW(L"TAVRIN_SIMULATED_MACHINE", name, kProfileNameLength);
    return (n == 0 || n >= kProfileNameLength) ? L"" : std::wstring(name, n);
}

void LoadWantedProfile(CMachineState& state)
{
    CMachineState::Lock machine(state);
    if (!machine.Held()) return;
    std::wstring wanted = WantedProfile();
    if (machine->loaded && (wanted.empty() || _wcsicmp(machine->profile, wanted.c_str()) == 0)) return;
    if (!LoadProfile(wanted.empty() ? kDefaultProfile : wanted, *machine))
        LoadProfile(kDefaultProfile, *machine);
}

} // namespace

CMachineState& Machine()
{
    static CMachineState state;
    static const bool loaded = (LoadWantedProfile(state), true);
    (void)loaded;
    return state;
}

} // namespace sim
