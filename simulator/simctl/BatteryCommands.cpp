// The batteries, the AC adapter and the device tree.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwchar>

#include "BatteryModel.h"
#include "Commands.h"
#include "DeviceNodes.h"
#include "MachineProfile.h"
#include "Utf8.h"

namespace simctl {
namespace {

std::string Text(const wchar_t (&text)[sim::kBatteryTextLength])
{
    return Utf8(std::wstring(text, wcsnlen(text, sim::kBatteryTextLength)));
}

const char* StateOf(const sim::SimBattery& b)
{
    if (b.rate > 0) return "charging";
    if (b.rate < 0) return "discharging";
    return "idle";
}

std::string BatteryLine(const sim::SimBattery& b, int slot)
{
    if (!b.present) return Format("%s present=0\n", sim::SlotName(slot));
    return Format(
        "%s present=1 state=%s percent=%d remaining=%.0f full=%u design=%u rate=%d charge-rate=%u "
        "discharge-rate=%u voltage=%u cycles=%u chemistry=%.4s health=%u health-percent=%u failure=%u "
        "tag=%u name=\"%s\" manufacturer=\"%s\" serial=\"%s\" unique-id=\"%s\"\n",
        sim::SlotName(slot), StateOf(b), sim::BatteryPercent(b), b.remaining,
        static_cast<unsigned>(b.fullCapacity), static_cast<unsigned>(b.designCapacity),
        static_cast<int>(b.rate), static_cast<unsigned>(b.chargeRate), static_cast<unsigned>(b.dischargeRate),
        static_cast<unsigned>(b.voltage), static_cast<unsigned>(b.cycleCount), b.chemistry,
        b.healthSupported ? b.healthIndex : 255u, b.healthPercent, b.failureStatus,
        static_cast<unsigned>(b.tag), Text(b.deviceName).c_str(), Text(b.manufacturer).c_str(),
        Text(b.serial).c_str(), Text(b.uniqueId).c_str());
}

bool Number(const std::wstring& text, long long low, long long high, long long& value)
{
    return sim::ParseNumber(text, value) && value >= low && value <= high;
}

// "N%" or "N" (0..100) for the percent arguments.
bool Percent(std::wstring text, long long& value)
{
    if (!text.empty() && text.back() == L'%') text.pop_back();
    return Number(text, 0, 100, value);
}

bool OnOff(const std::wstring& text, bool& value)
{
    if (text != L"on" && text != L"off") return false;
    value = text == L"on";
    return true;
}

void SetText(wchar_t (&target)[sim::kBatteryTextLength], const std::wstring& text)
{
    std::memset(target, 0, sizeof target);
    wcsncpy(target, text.c_str(), sim::kBatteryTextLength - 1);
}

// Applies one --option VALUE of battery-insert; false when it is unknown or wrong.
bool InsertOption(sim::SimBattery& b, const std::wstring& option, const std::wstring& value)
{
    long long n = 0;
    if (option == L"--chemistry") {
        std::memset(b.chemistry, 0, sizeof b.chemistry);
        for (size_t i = 0; i < value.size() && i < sizeof b.chemistry; ++i)
            b.chemistry[i] = static_cast<char>(value[i] & 0x7F);
        return true;
    }
    if (option == L"--name") return SetText(b.deviceName, value), true;
    if (option == L"--manufacturer") return SetText(b.manufacturer, value), true;
    if (option == L"--serial") return SetText(b.serial, value), true;
    if (option == L"--unique-id") return SetText(b.uniqueId, value), true;
    if (option == L"--remaining" && !value.empty() && value.back() == L'%') {
        if (!Percent(value, n)) return false;
        b.remaining = b.fullCapacity * static_cast<double>(n) / 100;
        return true;
    }
    if (!Number(value, 0, 1000000, n)) return false;
    if (option == L"--design") {
        b.designCapacity = static_cast<uint32_t>(n);
    } else if (option == L"--full") {
        b.fullCapacity = static_cast<uint32_t>(n);
    } else if (option == L"--remaining") {
        b.remaining = static_cast<double>(n);
    } else if (option == L"--charge-rate") {
        b.chargeRate = static_cast<uint32_t>(n);
    } else if (option == L"--discharge-rate") {
        b.dischargeRate = static_cast<uint32_t>(n);
    } else if (option == L"--voltage") {
        b.voltage = static_cast<uint32_t>(n);
    } else if (option == L"--health" && n <= 6) {
        b.healthIndex = static_cast<uint8_t>(n);
    } else if (option == L"--failure" && n <= 255) {
        b.failureStatus = static_cast<uint8_t>(n);
    } else {
        return false;
    }
    return true;
}

// Runs change on the machine with the batteries brought up to now, then tells
// the windows that the power status changed.
template <typename Change>
int ChangeBatteries(sim::CMachineState& state, Change change)
{
    {
        sim::CMachineState::Lock machine(state);
        if (!machine.Held()) return kFailed;
        sim::AdvanceBatteries(*machine, sim::NowMs());
        const int result = change(*machine);
        if (result != kDone) return result;
        sim::AdvanceBatteries(*machine, sim::NowMs());
    }
    BroadcastPower(PBT_APMPOWERSTATUSCHANGE);
    return kDone;
}

int SlotArgument(const Args& args, size_t index)
{
    return args.size() > index ? sim::SlotOfName(args[index]) : -1;
}

} // namespace

std::string BatteriesText(sim::SimMachine& m)
{
    sim::AdvanceBatteries(m, sim::NowMs());
    const sim::SimBatteries& b = m.batteries;
    std::string out
        = Format("ac=%u batteries-modelled=%u total-percent=%u charge-disable-supported=%u "
                 "charge-disabled=%u time-scale=%u\n",
                 m.power.acOnline, b.modelled, m.power.batteryPresent ? m.power.batteryPercent : 255u,
                 b.chargeDisableSupported, b.chargeDisabled, static_cast<unsigned>(b.timeScale));
    for (int slot = 0; slot < sim::kBatterySlots; ++slot) out += BatteryLine(b.slots[slot], slot);
    return out;
}

int Battery(sim::CMachineState& state, const Args& args)
{
    if (!args.empty()) return Usage("battery takes no arguments");
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    Print(BatteriesText(*machine));
    return kDone;
}

int Devices(sim::CMachineState& state, const Args& args)
{
    if (!args.empty()) return Usage("devices takes no arguments");
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    sim::AdvanceBatteries(*machine, sim::NowMs());
    Print(sim::DeviceTreeText(sim::DeviceNodes(*machine)));
    return kDone;
}

int BatteryInsert(sim::CMachineState& state, const Args& args)
{
    const int slot = SlotArgument(args, 0);
    if (slot < 0 || args.size() % 2 != 1)
        return Usage("battery-insert primary|secondary|dock [--OPTION VALUE]...");
    sim::SimBattery battery = sim::DefaultBattery(slot);
    // Capacities first, so that a percentage of remaining charge refers to the new full capacity.
    for (const wchar_t* first : {L"--design", L"--full"}) {
        for (size_t i = 1; i + 1 < args.size(); i += 2) {
            if (args[i] == first && !InsertOption(battery, args[i], args[i + 1]))
                return Usage("a battery-insert option is unknown or out of range");
        }
    }
    if (battery.remaining > battery.fullCapacity) battery.remaining = battery.fullCapacity;
    for (size_t i = 1; i + 1 < args.size(); i += 2) {
        if (!InsertOption(battery, args[i], args[i + 1]))
            return Usage("a battery-insert option is unknown or out of range");
    }
    return ChangeBatteries(state, [&](sim::SimMachine& m) {
        sim::InsertBattery(m, slot, battery);
        return kDone;
    });
}

int BatteryRemove(sim::CMachineState& state, const Args& args)
{
    const int slot = SlotArgument(args, 0);
    if (slot < 0 || args.size() != 1) return Usage("battery-remove primary|secondary|dock");
    return ChangeBatteries(state, [&](sim::SimMachine& m) {
        sim::RemoveBattery(m, slot);
        return kDone;
    });
}

// Wear: the full capacity drops to (100 - N)% of the design capacity.
int BatteryAge(sim::CMachineState& state, const Args& args)
{
    long long wear = 0;
    const int slot = args.size() == 2 ? SlotArgument(args, 1) : sim::kPrimarySlot;
    if (args.empty() || args.size() > 2 || slot < 0 || !Percent(args[0], wear))
        return Usage("battery-age N% [primary|secondary|dock]");
    return ChangeBatteries(state, [&](sim::SimMachine& m) {
        sim::SimBattery& b = m.batteries.slots[slot];
        if (!b.present) {
            std::fputs("simctl: no battery in that slot\n", stderr);
            return static_cast<int>(kFailed);
        }
        b.fullCapacity = static_cast<uint32_t>(std::lround(b.designCapacity * (100 - wear) / 100.0));
        b.remaining = std::min<double>(b.remaining, b.fullCapacity);
        b.healthPercent = static_cast<uint8_t>(100 - wear);
        return static_cast<int>(kDone);
    });
}

// The firmware's failure status byte of a pack (0 clears it) and, optionally,
// its health index.
int BatteryFail(sim::CMachineState& state, const Args& args)
{
    long long status = 0;
    const int slot = SlotArgument(args, 0);
    if (args.size() != 2 || slot < 0 || !Number(args[1], 0, 255, status))
        return Usage("battery-fail primary|secondary|dock STATUS");
    return ChangeBatteries(state, [&](sim::SimMachine& m) {
        m.batteries.slots[slot].failureStatus = static_cast<uint8_t>(status);
        return kDone;
    });
}

int BatteryHealth(sim::CMachineState& state, const Args& args)
{
    long long index = 0;
    const int slot = SlotArgument(args, 0);
    if (args.size() != 2 || slot < 0) return Usage("battery-health primary|secondary|dock 0..6|none");
    const bool none = args[1] == L"none";
    if (!none && !Number(args[1], 0, 6, index))
        return Usage("battery-health primary|secondary|dock 0..6|none");
    return ChangeBatteries(state, [&](sim::SimMachine& m) {
        m.batteries.slots[slot].healthSupported = !none;
        m.batteries.slots[slot].healthIndex = static_cast<uint8_t>(index);
        return kDone;
    });
}

int BatteryRate(sim::CMachineState& state, const Args& args)
{
    long long rate = 0;
    const int slot = SlotArgument(args, 0);
    const bool charge = args.size() == 3 && args[1] == L"charge";
    const bool discharge = args.size() == 3 && args[1] == L"discharge";
    if (slot < 0 || !(charge || discharge) || !Number(args[2], 0, 1000000, rate))
        return Usage("battery-rate primary|secondary|dock charge|discharge MILLIWATTS");
    return ChangeBatteries(state, [&](sim::SimMachine& m) {
        (charge ? m.batteries.slots[slot].chargeRate : m.batteries.slots[slot].dischargeRate)
            = static_cast<uint32_t>(rate);
        return kDone;
    });
}

int BatteryTimeScale(sim::CMachineState& state, const Args& args)
{
    long long scale = 0;
    if (args.size() != 1 || !Number(args[0], 1, 100000, scale)) return Usage("battery-time-scale 1..100000");
    return ChangeBatteries(state, [&](sim::SimMachine& m) {
        m.batteries.timeScale = static_cast<uint32_t>(scale);
        return kDone;
    });
}

int ChargeDisable(sim::CMachineState& state, const Args& args)
{
    bool on = false;
    if (args.size() != 1 || !OnOff(args[0], on)) return Usage("charge-disable on|off");
    return ChangeBatteries(state, [&](sim::SimMachine& m) {
        m.batteries.chargeDisabled = on;
        return kDone;
    });
}

int Ac(sim::CMachineState& state, const Args& args)
{
    bool on = false;
    if (args.size() != 1 || !OnOff(args[0], on)) return Usage("ac on|off");
    return ChangeBatteries(state, [&](sim::SimMachine& m) {
        m.power.acOnline = on;
        return kDone;
    });
}

} // namespace simctl
