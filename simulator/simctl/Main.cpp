// simctl: drives the simulated notebook of this Wine prefix from the command line.
#include <windows.h>

#include <cstring>
#include <cwchar>

#include "Commands.h"
#include "MachineProfile.h"

namespace simctl {
namespace {

struct Command {
    const wchar_t* name;
    int (*run)(sim::CMachineState&, const Args&);
};

constexpr Command kCommands[] = {
    {L"load", Load},
    {L"show", Show},
    {L"set", Set},
    {L"get", GetValue},
    {L"calls", Calls},
    {L"clear-calls", ClearCalls},
    {L"fail-next", FailNext},
    {L"answer-next", AnswerNext},
    {L"answer", Answer},
    {L"answer-clear", AnswerClear},
    {L"alert", Alert},
    {L"event", Event},
    {L"event-list", EventList},
    {L"event-raw", EventRaw},
    {L"suspend", Suspend},
    {L"resume", Resume},
    {L"key", Key},
    {L"power-plans", PowerPlans},
    {L"power-plan-fail", PowerPlanFail},
    {L"power-plan-active", PowerPlanActive},
    {L"brightness-event", BrightnessEvent},
    {L"audio", Audio},
    {L"volume", Volume},
    {L"mute", Mute},
    {L"volume-up", VolumeUp},
    {L"volume-down", VolumeDown},
    {L"audio-default", AudioDefault},
    {L"radios", Radios},
    {L"radio-switch", RadioSwitch},
    {L"locator", Locator},
    {L"als", Als},
    {L"als-key", AlsKey},
    {L"battery", Battery},
    {L"devices", Devices},
    {L"battery-insert", BatteryInsert},
    {L"battery-remove", BatteryRemove},
    {L"battery-age", BatteryAge},
    {L"battery-fail", BatteryFail},
    {L"battery-health", BatteryHealth},
    {L"battery-rate", BatteryRate},
    {L"battery-time-scale", BatteryTimeScale},
    {L"charge-disable", ChargeDisable},
    {L"ac", Ac},
};

constexpr char kUsageText[]
    = "usage: simctl COMMAND [ARGS]\n"
      "  load PROFILE                     reset the machine from a profile (name or .ini path)\n"
      "  show                             print the machine state\n"
      "  get KEY | get setting LOCATION   print one value\n"
      "  set KEY VALUE                    change the state (see show for the keys)\n"
      "  set setting LOCATION VALUE | set setting LOCATION BATTERY AC   (split battery/AC values)\n"
      "  calls [-v] | clear-calls         print (-v: with request length and zero checks) or clear the call "
      "log\n"
      "  fail-next N                      the next N DoBFn calls fail\n"
      "  answer-next RES1 [N]             the next N calls (default 1) answer cbRes1 = RES1\n"
      "  answer CLASS SELECT RES1 [N]     calls of CLASS/SELECT answer RES1 (N times, default always)\n"
      "  answer-clear                     drop every injected answer\n"
      "  alert CODE [DETAIL [FLAGS]] | alert clear   the alert the firmware holds for the tray\n"
      "  event [OPTIONS] CODE [ARG...]    raise a single BIOS event\n"
      "  event-list [OPTIONS] CODE [ARG...] [CODE [ARG...]...]   raise a list event\n"
      "  event-raw [OPTIONS] WORD...      raise an event with exactly these data words\n"
      "      OPTIONS: --class NAME  --data object|array|number|missing  --bytes N  --repeat N\n"
      "  suspend | resume                 broadcast the power suspend / resume notice\n"
      "  key SCAN [ext] [up]              send one scan-code key transition\n"
      "  power-plans                      print the power plans, the last write and the failure switches\n"
      "  power-plan-fail get-active|access-check on|off   make that power-plan call fail\n"
      "  power-plan-active NUMBER|NAME    make a plan the active one (no write counted)\n"
      "  brightness-event [--type ui1|ui8|i4|string|missing] [--class NAME] [--active 0|1] PERCENT\n"
      "                                   raise a monitor-brightness event\n"
      "  audio                            print the render endpoints and the audio listeners\n"
      "  volume PERCENT [--context app|keys|GUID]   set the default endpoint's volume\n"
      "  mute on|off [--context app|keys|GUID]      mute or unmute it\n"
      "  volume-up | volume-down          one volume step, as the volume keys\n"
      "  audio-default NUMBER|NAME        make another endpoint the default\n"
      "  radios                           print the radios, the switch and its configuration\n"
      "  radio-switch on|off              move the hardware wireless switch (raises event 0xE008)\n"
      "  locator [--working]              print the locator area the firmware keeps, decoded\n"
      "                                   (--working: the copy the chunk calls read and write)\n"
      "  als                              print the ambient light sensor the firmware reports\n"
      "  als-key                          press the light-sensor key: the sensor turns on or off\n"
      "                                   and event 0xE013 reports the new state\n"
      "  battery | devices                print the batteries / the device tree\n"
      "  battery-insert SLOT [--design|--full|--remaining N|N%|--charge-rate|--discharge-rate|--voltage N]\n"
      "                 [--chemistry|--name|--manufacturer|--serial|--unique-id TEXT] [--health 0..6] "
      "[--failure N]\n"
      "                                   put a battery into primary|secondary|dock\n"
      "  battery-remove SLOT              take it out\n"
      "  battery-age N% [SLOT]            full capacity drops to (100-N)% of the design capacity\n"
      "  battery-fail SLOT STATUS         the firmware's failure status byte (0 clears)\n"
      "  battery-health SLOT 0..6|none    the firmware's health index\n"
      "  battery-rate SLOT charge|discharge MILLIWATTS\n"
      "  battery-time-scale N             N simulated seconds pass per second\n"
      "  charge-disable on|off            the firmware holds charging off\n"
      "  ac on|off                        plug in or pull the AC adapter\n";

// Every command but load wants a machine: the one named by the environment,
// or the default notebook.
bool EnsureLoaded(sim::CMachineState& state)
{
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return false;
    if (machine->loaded) return true;
    wchar_t name[sim::kProfileNameLength] = {};
    DWORD n = ::GetEnvironmentVariableW(L"TAVRIN_SIMULATED_MACHINE", name, sim::kProfileNameLength);
    bool named = n > 0 && n < sim::kProfileNameLength;
    return sim::LoadProfile(named ? name : L"corvane-default", *machine);
}

} // namespace

void Print(const std::string& utf8)
{
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
}

int Usage(const char* message)
{
    std::fprintf(stderr, "simctl: %s\n", message);
    return kUsage;
}

} // namespace simctl

int wmain(int argc, wchar_t** argv)
{
    using namespace simctl;
    if (argc < 2) {
        std::fputs(kUsageText, stderr);
        return kUsage;
    }
    const Command* command = nullptr;
    for (const Command& c : kCommands) {
        if (wcscmp(argv[1], c.name) == 0) command = &c;
    }
    if (!command) {
        std::fputs(kUsageText, stderr);
        return kUsage;
    }
    sim::CMachineState state;
    if (!state.IsOpen()) {
        std::fputs("simctl: the machine state cannot be opened\n", stderr);
        return kFailed;
    }
    if (command->run != Load && !EnsureLoaded(state)) {
        std::fputs("simctl: no machine profile could be loaded\n", stderr);
        return kFailed;
    }
    int exitCode = command->run(state, Args(argv + 2, argv + argc));
    std::fflush(stdout);
    return exitCode;
}
