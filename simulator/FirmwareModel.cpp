#include "FirmwareModel.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "BatteryModel.h"
#include "BiosCallBuffer.h"
#include "CallLog.h"
#include "RadioModel.h"

namespace sim {
namespace {

constexpr int32_t kUnsupported = -1;

struct Result {
    int32_t res1 = kUnsupported;
    uint32_t res2 = 0;
    uint32_t res3 = 0;
    uint32_t res4 = 0;
};

bool ForcedAnswer(SimFaults& faults, const BiosCallBuffer& call, Result& result)
{
    for (SimForcedAnswer& forced : faults.forced) {
        if (forced.remaining == 0) continue;
        if (!forced.anyCall && (forced.cbClass != call.cbClass || forced.cbSelect != call.cbSelect)) {
            continue;
        }
        if (forced.remaining != kForcedForever) --forced.remaining;
        result = Result{forced.res1};
        return true;
    }
    return false;
}

// Select 0 means the power source the machine runs on now.
bool OnAc(const SimMachine& machine, uint16_t select)
{
    return select == 2 || (select == 0 && machine.power.acOnline);
}

SimSetting* TokenSetting(SimMachine& machine, const BiosCallBuffer& call)
{
    if (call.cbSelect > 2 || call.cbArg1 > 0xFFFF) return nullptr;
    return FindSetting(machine, static_cast<uint16_t>(call.cbArg1));
}

Result TokenRead(SimMachine& machine, const BiosCallBuffer& call)
{
    SimSetting* setting = TokenSetting(machine, call);
    if (!setting) return {};
    uint16_t value = OnAc(machine, call.cbSelect) ? setting->ac : setting->battery;
    return {0, value, setting->res3, setting->res4};
}

Result TokenActivate(SimMachine& machine, const BiosCallBuffer& call)
{
    SimSetting* setting = TokenSetting(machine, call);
    if (!setting) return {};
    uint16_t value = static_cast<uint16_t>(call.cbArg2);
    bool ac = OnAc(machine, call.cbSelect);
    if (!setting->split || ac) setting->ac = value;
    if (!setting->split || !ac) setting->battery = value;
    return {0};
}

Result VersionReport(SimFirmware& firmware, const BiosCallBuffer& call)
{
    ++firmware.versionReports;
    firmware.lastVersion[0] = call.cbArg1;
    firmware.lastVersion[1] = call.cbArg2;
    firmware.lastVersion[2] = call.cbArg3;
    firmware.lastVersion[3] = call.cbArg4;
    return {0};
}

// The pending alert, handed over once.
Result AlertQuery(SimAlert& alert, const BiosCallBuffer& call)
{
    constexpr uint32_t kAlertQueryArg1 = 0x10000;
    constexpr uint32_t kSignature = 0x5456524E; // "TVRN"
    if (call.cbArg1 != kAlertQueryArg1 || call.cbArg2 != kSignature) return {};
    ++alert.queries;
    const Result pending{0, alert.code, alert.detail, alert.flags};
    alert.code = kNoAlert;
    alert.detail = kNoAlert;
    alert.flags = 0;
    return pending;
}

Result FixedAnswer(const SimFirmware& firmware, const BiosCallBuffer& call)
{
    int count = std::min<int>(firmware.fixedAnswerCount, kMaxFixedAnswers);
    for (int i = 0; i < count; ++i) {
        const SimFixedAnswer& a = firmware.fixedAnswers[i];
        if (a.cbClass != call.cbClass || a.cbSelect != call.cbSelect) continue;
        if (a.matchArg1 && a.arg1 != call.cbArg1) continue;
        return {a.res1, a.res2, a.res3, a.res4};
    }
    return {};
}

// The firmware types a key into whatever has the focus, as a keyboard would.
Result TypeKey(SimKeys& keys, const BiosCallBuffer& call)
{
    if (!keys.typesKeys) return {};
    constexpr WORD kScanAlt = 0x38;
    const WORD scan = static_cast<WORD>(call.cbArg2 & 0xFFFF);
    const bool alt = (call.cbArg2 >> 16) == 1;
    std::vector<INPUT> inputs;
    const auto add = [&](WORD code, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = code;
        input.ki.wVk = static_cast<WORD>(::MapVirtualKeyW(code, MAPVK_VSC_TO_VK));
        input.ki.dwFlags = KEYEVENTF_SCANCODE | (up ? KEYEVENTF_KEYUP : 0);
        inputs.push_back(input);
    };
    if (alt) add(kScanAlt, false);
    add(scan, false);
    add(scan, true);
    if (alt) add(kScanAlt, true);
    ++keys.typed;
    keys.lastKey = call.cbArg2;
    const UINT count = static_cast<UINT>(inputs.size());
    return {::SendInput(count, inputs.data(), sizeof(INPUT)) == count ? 0 : -1};
}

// The keyboard light's level count and state, and the selector's availability.
bool KeyboardAnswer(const SimKeyboard& keyboard, const BiosCallBuffer& call, Result& result)
{
    constexpr uint32_t kLevels = 0x00;
    constexpr uint32_t kState = 0x01;
    constexpr uint32_t kSelector = 0x10;
    switch (call.cbArg1) {
    case kLevels:
        result = keyboard.light ? Result{0, 0, uint32_t{keyboard.levels} << 16} : Result{};
        return true;
    case kState:
        result = keyboard.light ? Result{0, uint32_t{keyboard.level} + 1u, uint32_t{keyboard.level} << 16}
                                : Result{};
        return true;
    case kSelector:
        result = Result{keyboard.selectorRes1, static_cast<uint32_t>(keyboard.selector)};
        return true;
    default:
        return false;
    }
}

Result Radio(const RadioAnswer& a)
{
    return {a.res1, a.res2, a.res3, a.res4};
}

Result Model(SimMachine& machine, const BiosCallBuffer& call)
{
    SimFirmware& firmware = machine.firmware;
    BatteryAnswer battery;
    if (AnswerBatteryCall(machine, call.cbClass, call.cbSelect, call.cbArg1, call.cbArg2, battery)) {
        return {battery.res1, battery.res2, battery.res3, battery.res4};
    }
    switch (call.cbClass) {
    case 0x0000:
        return TokenRead(machine, call);
    case 0x0001:
        return TokenActivate(machine, call);
    case 0x0004:
        if (call.cbSelect == 0x0B && call.cbArg1 == 0x30) {
            return {firmware.query040BRes1, firmware.query040B};
        }
        if (call.cbSelect == 0x0B && call.cbArg1 == 0x40 && machine.keys.typesKeys) return {0, 1};
        if (call.cbSelect == 0x0B && call.cbArg1 == 0x41) return TypeKey(machine.keys, call);
        if (call.cbSelect == 0x0B) {
            Result keyboard;
            if (KeyboardAnswer(machine.keyboard, call, keyboard)) return keyboard;
        }
        break;
    case 0x0011:
        if (call.cbSelect == 0x0B && machine.radio.modelled) return Radio(AnswerRadioCall(machine, call));
        if (call.cbSelect == 0x0B) return {firmware.radioRes1, firmware.radioStatus};
        if (call.cbSelect == 0x02 && machine.radio.modelled)
            return Radio(AnswerLegacyRadioCall(machine, call));
        if (call.cbSelect == 0x03) return VersionReport(firmware, call);
        if (call.cbSelect == 0x05) return AlertQuery(machine.alert, call);
        if (call.cbSelect == 0x0A && machine.als.present) {
            ++machine.als.statusCalls;
            return {0, machine.als.enabled};
        }
        break;
    }
    return FixedAnswer(firmware, call);
}

bool AllZero(const uint8_t* begin, const uint8_t* end)
{
    return std::all_of(begin, end, [](uint8_t b) { return b == 0; });
}

} // namespace

SimSetting* FindSetting(SimMachine& machine, uint16_t location)
{
    int count = std::min<int>(machine.firmware.settingCount, kMaxSettings);
    for (int i = 0; i < count; ++i) {
        if (machine.firmware.settings[i].location == location) return &machine.firmware.settings[i];
    }
    return nullptr;
}

std::vector<uint8_t> AnswerCall(SimMachine& machine, const uint8_t* request, size_t length)
{
    if (!request || length < kBiosCallWireSize) return {};
    BiosCallBuffer call;
    std::memcpy(static_cast<void*>(&call), request, kBiosCallWireSize);

    Result result;
    if (!ForcedAnswer(machine.faults, call, result)) result = Model(machine, call);

    SimCall logged{};
    logged.cbClass = call.cbClass;
    logged.cbSelect = call.cbSelect;
    logged.args[0] = call.cbArg1;
    logged.args[1] = call.cbArg2;
    logged.args[2] = call.cbArg3;
    logged.args[3] = call.cbArg4;
    logged.res1 = result.res1;
    logged.res[0] = result.res2;
    logged.res[1] = result.res3;
    logged.res[2] = result.res4;
    logged.requestLength = static_cast<uint32_t>(std::min<size_t>(length, UINT32_MAX));
    logged.tailZero = AllZero(request + kBiosCallWireSize, request + length);
    logged.reservedZero = AllZero(request + offsetof(BiosCallBuffer, reserved), request + kBiosCallWireSize);
    LogCall(machine, logged);

    BiosCallBuffer answer = call;
    answer.cbRes1 = result.res1;
    answer.cbRes2 = result.res2;
    answer.cbRes3 = result.res3;
    answer.cbRes4 = result.res4;
    if (machine.faults.quirkArgs) {
        answer.cbArg1 = ~call.cbArg1;
        answer.cbArg2 = ~call.cbArg2;
        answer.cbArg3 = ~call.cbArg3;
        answer.cbArg4 = ~call.cbArg4;
    }
    std::vector<uint8_t> bytes(request, request + length);
    std::memcpy(bytes.data(), &answer, kBiosCallWireSize);
    if (machine.faults.shortAnswer != 0) bytes.resize(machine.faults.shortAnswer, 0);
    return bytes;
}

} // namespace sim
