#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "Commands.h"
#include "EventQueue.h"

namespace simctl {
namespace {

constexpr uint16_t kAlsEvent = 0xE013;
constexpr size_t kFirmwareEventBytes = 128;

} // namespace

std::string AlsText(const sim::SimMachine& machine)
{
    const sim::SimAls& als = machine.als;
    if (!als.present) return Format("als modelled=no (the status call is answered by the profile)\n");
    return Format("als modelled=yes sensor=%s status-calls=%u\n", als.enabled ? "enabled" : "disabled",
                  als.statusCalls);
}

int Als(sim::CMachineState& state, const Args& args)
{
    if (!args.empty()) return Usage("als");
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    Print(AlsText(*machine));
    return kDone;
}

// The light-sensor key: the firmware turns the sensor on or off and reports
// the new state as argument 1 of event 0xE013.
int AlsKey(sim::CMachineState& state, const Args& args)
{
    if (!args.empty()) return Usage("als-key");
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    if (!machine->als.present) {
        std::fputs("simctl: the machine has no modelled ambient light sensor\n", stderr);
        return kFailed;
    }
    machine->als.enabled = machine->als.enabled ? 0 : 1;
    const std::vector<uint16_t> words{5, 0, kAlsEvent, machine->als.enabled, 0, 0};
    sim::SimEvent event = sim::EventFromWords(words, kFirmwareEventBytes);
    wcsncpy(event.className, L"BIOSEvent", 31);
    sim::WakeSubscribers(*machine, sim::RaiseEvent(*machine, event));
    return kDone;
}

} // namespace simctl
