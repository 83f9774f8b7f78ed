#include "BatteryModel.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cwchar>

namespace sim {
namespace {

constexpr double kSecondsPerHour = 3600.0;

bool MayCharge(const SimBatteries& batteries, const SimBattery& b)
{
    // A failed pack, one whose charging the firmware holds off (health 4) or
    // one it cannot identify (health 6) takes no charge.
    const bool held = b.healthSupported && (b.healthIndex == 4 || b.healthIndex == 6);
    return !batteries.chargeDisabled && b.failureStatus == 0 && !held;
}

void Charge(SimBatteries& batteries, double seconds)
{
    for (SimBattery& b : batteries.slots) {
        b.rate = 0;
        if (!b.present || !MayCharge(batteries, b) || b.remaining >= b.fullCapacity) continue;
        const double gained = b.chargeRate * seconds / kSecondsPerHour;
        const double room = b.fullCapacity - b.remaining;
        b.remaining += std::min(gained, room);
        // A pack that filled up in this step idles from now on.
        if (gained < room) b.rate = static_cast<int32_t>(b.chargeRate);
    }
}

void Discharge(SimBatteries& batteries, double seconds)
{
    for (SimBattery& b : batteries.slots) b.rate = 0;
    for (SimBattery& b : batteries.slots) {
        if (!b.present || b.remaining <= 0 || b.dischargeRate == 0) continue;
        const double used = b.dischargeRate * seconds / kSecondsPerHour;
        if (used < b.remaining) {
            b.remaining -= used;
            b.rate = -static_cast<int32_t>(b.dischargeRate);
            return;
        }
        // This pack ran empty: the next one carries the rest of the time.
        seconds -= b.remaining / b.dischargeRate * kSecondsPerHour;
        b.remaining = 0;
    }
}

void Summarise(SimMachine& machine)
{
    const SimBatteries& batteries = machine.batteries;
    SimPower& power = machine.power;
    double remaining = 0, full = 0;
    bool present = false, charging = false;
    uint32_t drain = 0;
    for (const SimBattery& b : batteries.slots) {
        if (!b.present) continue;
        present = true;
        remaining += std::min<double>(b.remaining, b.fullCapacity);
        full += b.fullCapacity;
        charging = charging || b.rate > 0;
        if (b.rate < 0) drain = static_cast<uint32_t>(-b.rate);
    }
    power.batteryPresent = present;
    power.charging = charging;
    power.batteryPercent = static_cast<uint8_t>(full > 0 ? std::lround(remaining * 100 / full) : 0);
    power.batteryLifeTime
        = !power.acOnline && drain > 0 ? static_cast<int32_t>(remaining / drain * kSecondsPerHour) : -1;
    power.batteryFullLifeTime = -1;
}

void CopyText(wchar_t (&target)[kBatteryTextLength], const wchar_t* text)
{
    std::memset(target, 0, sizeof target);
    wcsncpy(target, text, kBatteryTextLength - 1);
}

// The pack's current in mA, as the smart-battery register reports it: a
// 16-bit two's-complement number.
uint32_t CurrentRegister(const SimBattery& b)
{
    if (b.voltage == 0) return 0;
    const long long milliamps = static_cast<long long>(b.rate) * 1000 / b.voltage;
    return static_cast<uint16_t>(static_cast<int16_t>(std::clamp<long long>(milliamps, -32768, 32767)));
}

uint32_t MinutesToFull(const SimBattery& b)
{
    constexpr uint32_t kNotCharging = 65535;
    if (b.rate <= 0) return kNotCharging;
    const double missing = std::max(0.0, b.fullCapacity - b.remaining);
    return static_cast<uint32_t>(missing / b.rate * 60);
}

BatteryAnswer StatusAndHealth(const SimBattery& b)
{
    constexpr uint32_t kAbsent = 1u << 12;
    if (!b.present) return {0, 0, kAbsent, 0};
    uint32_t res2 = (b.rate > 0 ? 1u : 0u) | static_cast<uint32_t>(b.failureStatus) << 24;
    if (b.healthSupported) res2 |= 1u << 16 | 1u << 17;
    const uint32_t res3 = static_cast<uint32_t>(BatteryPercent(b))
                          | static_cast<uint32_t>(b.healthIndex) << 16
                          | static_cast<uint32_t>(b.healthPercent) << 24;
    return {0, res2, res3, 0};
}

BatteryAnswer SmartRegister(const SimBattery& b, uint32_t reg)
{
    constexpr uint32_t kCurrent = 0x0A;
    constexpr uint32_t kAverageTimeToFull = 0x13;
    if (!b.present) return {};
    if (reg == kCurrent) return {0, CurrentRegister(b)};
    if (reg == kAverageTimeToFull) return {0, MinutesToFull(b)};
    return {};
}

BatteryAnswer ChargeControl(SimBatteries& batteries, uint32_t arg1, uint32_t arg2)
{
    if (arg1 == 0) {
        return {0, (batteries.chargeDisableSupported ? 1u << 1 : 0u)
                       | (batteries.chargeDisabled ? 1u << 9 : 0u)};
    }
    if (arg1 == 1 && batteries.chargeDisableSupported) {
        batteries.chargeDisabled = (arg2 & 0xFF) == 1;
        return {0};
    }
    return {};
}

} // namespace

uint64_t NowMs()
{
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    return ((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) / 10000;
}

void AdvanceBatteries(SimMachine& machine, uint64_t nowMs)
{
    SimBatteries& batteries = machine.batteries;
    if (!batteries.modelled) return;
    const uint64_t elapsed = nowMs > batteries.lastAdvance ? nowMs - batteries.lastAdvance : 0;
    batteries.lastAdvance = std::max(nowMs, batteries.lastAdvance);
    const double seconds = elapsed / 1000.0 * std::max<uint32_t>(batteries.timeScale, 1);
    if (machine.power.acOnline) {
        Charge(batteries, seconds);
    } else {
        Discharge(batteries, seconds);
    }
    Summarise(machine);
}

SimBattery DefaultBattery(int slot)
{
    SimBattery b{};
    b.present = 1;
    b.healthSupported = 1;
    b.healthIndex = 3;
    b.healthPercent = 100;
    std::memcpy(b.chemistry, "LION", 4);
    b.designCapacity = 56000;
    b.fullCapacity = 56000;
    b.remaining = 56000;
    b.chargeRate = 28000;
    b.dischargeRate = 14000;
    b.voltage = 11100;
    const wchar_t* names[] = {L"Corvane Strata 6-cell", L"Corvane Slice 9-cell", L"Corvane Dock Pack"};
    CopyText(b.deviceName, names[std::clamp(slot, 0, kBatterySlots - 1)]);
    CopyText(b.manufacturer, L"Quillet Energy");
    CopyText(b.serial, L"QE-0001");
    CopyText(b.uniqueId, L"QE-0001-Corvane");
    return b;
}

void InsertBattery(SimMachine& machine, int slot, const SimBattery& battery)
{
    if (slot < 0 || slot >= kBatterySlots) return;
    AdvanceBatteries(machine, NowMs());
    SimBatteries& batteries = machine.batteries;
    if (!batteries.modelled) batteries.lastAdvance = NowMs();
    batteries.modelled = 1;
    SimBattery& target = batteries.slots[slot];
    target = battery;
    target.present = 1;
    target.rate = 0;
    target.tag = ++batteries.nextTag;
    if (target.tag == 0) target.tag = ++batteries.nextTag;
    AdvanceBatteries(machine, NowMs());
}

void RemoveBattery(SimMachine& machine, int slot)
{
    if (slot < 0 || slot >= kBatterySlots) return;
    AdvanceBatteries(machine, NowMs());
    SimBattery& target = machine.batteries.slots[slot];
    target.present = 0;
    target.rate = 0;
    target.tag = 0;
    AdvanceBatteries(machine, NowMs());
}

int SlotOfName(const std::wstring& name)
{
    if (name == L"primary") return kPrimarySlot;
    if (name == L"secondary") return kSecondarySlot;
    if (name == L"dock") return kDockSlot;
    return -1;
}

const char* SlotName(int slot)
{
    constexpr const char* kNames[] = {"primary", "secondary", "dock"};
    return slot >= 0 && slot < kBatterySlots ? kNames[slot] : "";
}

uint16_t BatteryNumberOf(int slot)
{
    constexpr uint16_t kNumbers[] = {1, 2, 128};
    return slot >= 0 && slot < kBatterySlots ? kNumbers[slot] : 0;
}

int SlotOfBatteryNumber(uint32_t number)
{
    for (int slot = 0; slot < kBatterySlots; ++slot) {
        if (BatteryNumberOf(slot) == number) return slot;
    }
    return -1;
}

int BatteryPercent(const SimBattery& b)
{
    if (b.fullCapacity == 0) return 0;
    return static_cast<int>(
        std::min<long>(100, std::lround(std::max(0.0, b.remaining) * 100 / b.fullCapacity)));
}

bool AnswerBatteryCall(SimMachine& machine, uint16_t cbClass, uint16_t cbSelect, uint32_t arg1, uint32_t arg2,
                       BatteryAnswer& answer)
{
    constexpr uint16_t kBatteryClass = 0x08;
    constexpr uint16_t kSmartBatteryClass = 0x1E;
    constexpr uint16_t kChargeControlClass = 0x04;
    constexpr uint16_t kChargeControlSelect = 0x0C;
    // A machine without batteries in its profile answers these as any unknown call.
    if (!machine.batteries.modelled) return false;
    if (cbClass == kChargeControlClass && cbSelect == kChargeControlSelect) {
        // The time so far passes under the old setting, and the packs follow the new one at once.
        AdvanceBatteries(machine, NowMs());
        answer = ChargeControl(machine.batteries, arg1, arg2);
        AdvanceBatteries(machine, NowMs());
        return true;
    }
    if (cbClass != kBatteryClass && cbClass != kSmartBatteryClass) return false;
    AdvanceBatteries(machine, NowMs());
    const int slot = SlotOfBatteryNumber(cbSelect);
    if (slot < 0) {
        answer = {};
        return true;
    }
    const SimBattery& b = machine.batteries.slots[slot];
    answer = cbClass == kBatteryClass ? StatusAndHealth(b) : SmartRegister(b, arg1);
    return true;
}

} // namespace sim
