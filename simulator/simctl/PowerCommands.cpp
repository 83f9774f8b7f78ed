#include <windows.h>

#include <cstdio>

#include "Commands.h"
#include "EventQueue.h"
#include "MachineProfile.h"
#include "PowerPlans.h"
#include "Utf8.h"

namespace simctl {
namespace {

std::string Name(const wchar_t* text, size_t capacity)
{
    return Utf8(std::wstring(text, wcsnlen(text, capacity)));
}

std::string Brightness(const sim::SimPowerPlan& plan)
{
    const sim::SimPlanValue* v = sim::FindPlanValue(plan, sim::kVideoSubgroup, sim::kVideoBrightness);
    if (!v) return "brightness none";
    return "brightness ac=" + std::to_string(v->ac) + " dc=" + std::to_string(v->dc);
}

std::string LastWrite(const sim::SimPowerPlans& plans)
{
    if (plans.writeCount == 0) return "last-write none\n";
    const sim::SimPowerPlan* plan = nullptr;
    for (uint32_t i = 0; i < plans.planCount && i < sim::kMaxPowerPlans; ++i) {
        if (IsEqualGUID(plans.plans[i].guid, plans.lastPlan)) plan = &plans.plans[i];
    }
    const bool brightness = IsEqualGUID(plans.lastSubgroup, sim::kVideoSubgroup)
                            && IsEqualGUID(plans.lastSetting, sim::kVideoBrightness);
    std::string setting = brightness ? "brightness" : Utf8(sim::GuidText(plans.lastSetting));
    return "last-write plan=\"" + (plan ? Name(plan->name, sim::kPlanNameLength) : std::string("?")) + "\" "
           + (plans.lastSource == sim::PlanSource::Dc ? "dc " : "ac ") + setting + "="
           + std::to_string(plans.lastValue) + "\n";
}

struct FailSwitch {
    const wchar_t* name;
    uint8_t sim::SimPowerPlans::*field;
};
constexpr FailSwitch kFailSwitches[] = {
    {L"get-active", &sim::SimPowerPlans::failGetActive},
    {L"access-check", &sim::SimPowerPlans::failAccessCheck},
};

} // namespace

std::string PowerPlansText(const sim::SimMachine& m)
{
    const sim::SimPowerPlans& plans = m.powerPlans;
    std::string out;
    for (uint32_t i = 0; i < plans.planCount && i < sim::kMaxPowerPlans; ++i) {
        const sim::SimPowerPlan& plan = plans.plans[i];
        out += "plan " + std::to_string(i + 1) + " " + Utf8(sim::GuidText(plan.guid)) + " \""
               + Name(plan.name, sim::kPlanNameLength) + "\"" + (i == plans.active ? " active " : " ")
               + Brightness(plan) + "\n";
    }
    out += "plan-writes=" + std::to_string(plans.writeCount)
           + " activations=" + std::to_string(plans.activations) + "\n";
    out += LastWrite(plans);
    out += std::string("fail get-active=") + (plans.failGetActive ? "on" : "off")
           + " access-check=" + (plans.failAccessCheck ? "on" : "off") + "\n";
    return out;
}

int PowerPlans(sim::CMachineState& state, const Args& args)
{
    if (!args.empty()) return Usage("power-plans takes no arguments");
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    Print(PowerPlansText(*machine));
    return kDone;
}

int PowerPlanFail(sim::CMachineState& state, const Args& args)
{
    const FailSwitch* chosen = nullptr;
    for (const FailSwitch& s : kFailSwitches) {
        if (args.size() == 2 && args[0] == s.name) chosen = &s;
    }
    if (!chosen || (args[1] != L"on" && args[1] != L"off")) {
        return Usage("power-plan-fail get-active|access-check on|off");
    }
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    machine->powerPlans.*(chosen->field) = args[1] == L"on" ? 1 : 0;
    return kDone;
}

int PowerPlanActive(sim::CMachineState& state, const Args& args)
{
    if (args.size() != 1) return Usage("power-plan-active NUMBER|NAME");
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    sim::SimPowerPlan* plan = sim::PlanByNumberOrName(machine->powerPlans, args[0]);
    if (!plan) {
        std::fputs("simctl: the machine has no such power plan\n", stderr);
        return kFailed;
    }
    machine->powerPlans.active = static_cast<uint8_t>(plan - machine->powerPlans.plans);
    return kDone;
}

// brightness-event [--type ui1|ui8|i4|string|missing] [--class NAME] [--active 0|1] PERCENT
int BrightnessEvent(sim::CMachineState& state, const Args& args)
{
    static const struct {
        const wchar_t* name;
        sim::BrightnessType type;
    } kTypes[] = {{L"ui1", sim::BrightnessType::Ui1},
                  {L"ui8", sim::BrightnessType::Ui8},
                  {L"i4", sim::BrightnessType::I4},
                  {L"string", sim::BrightnessType::String},
                  {L"missing", sim::BrightnessType::Missing}};
    constexpr char kUsage[]
        = "brightness-event [--type ui1|ui8|i4|string|missing] [--class NAME] [--active 0|1] "
          "PERCENT";
    sim::SimEvent event{};
    wcscpy(event.className, L"WmiMonitorBrightnessEvent");
    event.stream = sim::EventStream::MonitorBrightness;
    event.length = 3;
    event.data[2] = 1;
    size_t i = 0;
    for (; i + 1 < args.size() && args[i].rfind(L"--", 0) == 0; i += 2) {
        const std::wstring& value = args[i + 1];
        bool known = false;
        if (args[i] == L"--type") {
            for (const auto& t : kTypes) {
                if (value == t.name) {
                    event.data[1] = static_cast<uint8_t>(t.type);
                    known = true;
                }
            }
        } else if (args[i] == L"--class" && !value.empty() && value.size() < 32) {
            wcsncpy(event.className, value.c_str(), 31);
            known = true;
        } else if (args[i] == L"--active" && (value == L"0" || value == L"1")) {
            event.data[2] = value == L"1" ? 1 : 0;
            known = true;
        }
        if (!known) return Usage(kUsage);
    }
    long long percent = 0;
    if (i + 1 != args.size() || !sim::ParseNumber(args[i], percent) || percent < 0 || percent > 255) {
        return Usage(kUsage);
    }
    event.data[0] = static_cast<uint8_t>(percent);
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    std::vector<sim::SimSubscriber> subscribers = sim::RaiseEvent(*machine, event);
    sim::WakeSubscribers(*machine, subscribers);
    return kDone;
}

} // namespace simctl
