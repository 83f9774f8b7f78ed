#include <windows.h>

#include <cstdio>
#include <cstring>

#include "BatteryModel.h"
#include "CallLog.h"
#include "Commands.h"
#include "FirmwareModel.h"
#include "MachineProfile.h"
#include "RadioModel.h"
#include "Utf8.h"

namespace simctl {
namespace {

// One value of the machine that show/get/set know by name.
struct KeyInfo {
    const wchar_t* name;
    long long low;
    long long high;
    bool hex;
    bool power; // changing it tells the windows that the power status changed
    long long (*get)(const sim::SimMachine&);
    void (*set)(sim::SimMachine&, long long);
};

#define FIELD(name, path, type, low, high, hex, power)                                                       \
    KeyInfo                                                                                                  \
    {                                                                                                        \
        name, low, high, hex, power,                                                                         \
            [](const sim::SimMachine& m) { return static_cast<long long>(m.path); },                         \
            [](sim::SimMachine& m, long long v) { m.path = static_cast<type>(v); }                           \
    }

const KeyInfo kKeys[] = {
    FIELD(L"ac", power.acOnline, uint8_t, 0, 1, false, true),
    FIELD(L"battery-present", power.batteryPresent, uint8_t, 0, 1, false, true),
    FIELD(L"battery-percent", power.batteryPercent, uint8_t, 0, 100, false, true),
    FIELD(L"charging", power.charging, uint8_t, 0, 1, false, true),
    FIELD(L"battery-life-time", power.batteryLifeTime, int32_t, -1, INT32_MAX, false, true),
    FIELD(L"battery-full-life-time", power.batteryFullLifeTime, int32_t, -1, INT32_MAX, false, true),
    FIELD(L"data-buffer-size", firmware.dataBufferSize, uint32_t, 0, 4096, false, false),
    FIELD(L"radio-res1", firmware.radioRes1, int32_t, INT32_MIN, INT32_MAX, false, false),
    FIELD(L"radio-status", firmware.radioStatus, uint32_t, 0, 0xFFFFFFFFLL, true, false),
    FIELD(L"query-040b-res1", firmware.query040BRes1, int32_t, INT32_MIN, INT32_MAX, false, false),
    FIELD(L"query-040b", firmware.query040B, uint32_t, 0, 0xFFFFFFFFLL, true, false),
    FIELD(L"version-reports", firmware.versionReports, uint32_t, 0, 0xFFFFFFFFLL, false, false),
    FIELD(L"no-acpiwmi", faults.noAcpiWmi, uint8_t, 0, 1, false, false),
    FIELD(L"smbios-fails", faults.smbiosFails, uint8_t, 0, 1, false, false),
    FIELD(L"short-answer", faults.shortAnswer, uint32_t, 0, 4096, false, false),
    FIELD(L"quirk-args", faults.quirkArgs, uint8_t, 0, 1, false, false),
    FIELD(L"fail-next", faults.failNext, uint32_t, 0, 0xFFFFFFFFLL, false, false),
    FIELD(L"types-keys", keys.typesKeys, uint8_t, 0, 1, false, false),
    FIELD(L"keys-typed", keys.typed, uint32_t, 0, 0xFFFFFFFFLL, false, false),
    FIELD(L"last-key", keys.lastKey, uint32_t, 0, 0xFFFFFFFFLL, true, false),
    FIELD(L"hibernate-allowed", sleep.hibernateAllowed, uint8_t, 0, 1, false, false),
    FIELD(L"hibernate-enable", sleep.reserve, sim::ReserveOutcome, 0, 2, false, false),
    FIELD(L"suspend-outcome", sleep.outcome, sim::SleepOutcome, 0, 2, false, false),
    FIELD(L"asleep", sleep.asleep, uint8_t, 0, 1, false, false),
    FIELD(L"sleep-requests", sleep.requests, uint32_t, 0, 0xFFFFFFFFLL, false, false),
    FIELD(L"sleeps", sleep.sleeps, uint32_t, 0, 0xFFFFFFFFLL, false, false),
    FIELD(L"hibernations", sleep.hibernations, uint32_t, 0, 0xFFFFFFFFLL, false, false),
    FIELD(L"forced-requests", sleep.forced, uint32_t, 0, 0xFFFFFFFFLL, false, false),
    FIELD(L"vetoes", sleep.vetoes, uint32_t, 0, 0xFFFFFFFFLL, false, false),
    FIELD(L"hibernate-file-requests", sleep.reserveCalls, uint32_t, 0, 0xFFFFFFFFLL, false, false),
    FIELD(L"legacy-res1", radio.legacyRes1, int32_t, INT32_MIN, INT32_MAX, false, false),
    FIELD(L"locator-area-size", radio.areaSize, uint16_t, 0, sim::kLocatorAreaCapacity, false, false),
    FIELD(L"locator-format", radio.formatVersion, uint8_t, 0, 0xFF, false, false),
    // The radios that follow the switch change the status word at once.
    KeyInfo{L"radio-config", 0, 0xFFFF, true, false,
            [](const sim::SimMachine& m) { return static_cast<long long>(m.radio.switchConfig); },
            [](sim::SimMachine& m, long long v) {
                m.radio.switchConfig = static_cast<uint16_t>(v);
                sim::UpdateRadioStatus(m);
            }},
    FIELD(L"alert-code", alert.code, uint32_t, 0, 0xFFFFFFFFLL, true, false),
    FIELD(L"alert-detail", alert.detail, uint32_t, 0, 0xFFFFFFFFLL, true, false),
    FIELD(L"alert-flags", alert.flags, uint32_t, 0, 0xFFFFFFFFLL, true, false),
    FIELD(L"alert-queries", alert.queries, uint32_t, 0, 0xFFFFFFFFLL, false, false),
    FIELD(L"optical-present", optical.present, uint8_t, 0, 1, false, false),
    FIELD(L"optical-media", optical.media, uint8_t, 0, 1, false, false),
    FIELD(L"optical-ejects", optical.ejects, uint32_t, 0, 0xFFFFFFFFLL, false, false),
    FIELD(L"optical-bus", optical.bus, sim::OpticalBus, 0, 2, false, false),
    FIELD(L"optical2-present", secondOptical.present, uint8_t, 0, 1, false, false),
    FIELD(L"optical2-media", secondOptical.media, uint8_t, 0, 1, false, false),
    FIELD(L"optical2-ejects", secondOptical.ejects, uint32_t, 0, 0xFFFFFFFFLL, false, false),
    FIELD(L"optical2-bus", secondOptical.bus, sim::OpticalBus, 0, 2, false, false),
    FIELD(L"als-present", als.present, uint8_t, 0, 1, false, false),
    FIELD(L"als-enabled", als.enabled, uint8_t, 0, 1, false, false),
    FIELD(L"als-status-calls", als.statusCalls, uint32_t, 0, 0xFFFFFFFFLL, false, false),
    FIELD(L"caps-lock", lockKeys.caps, uint8_t, 0, 1, false, false),
    FIELD(L"num-lock", lockKeys.num, uint8_t, 0, 1, false, false),
    FIELD(L"scroll-lock", lockKeys.scroll, uint8_t, 0, 1, false, false),
    FIELD(L"kbd-light", keyboard.light, uint8_t, 0, 1, false, false),
    FIELD(L"kbd-levels", keyboard.levels, uint8_t, 0, 0xFF, false, false),
    FIELD(L"kbd-level", keyboard.level, uint8_t, 0, 0xFF, false, false),
    FIELD(L"radio-selector", keyboard.selector, int32_t, INT32_MIN, INT32_MAX, false, false),
    FIELD(L"radio-selector-res1", keyboard.selectorRes1, int32_t, INT32_MIN, INT32_MAX, false, false),
};
#undef FIELD

const KeyInfo* FindKey(const std::wstring& name)
{
    for (const KeyInfo& k : kKeys) {
        if (name == k.name) return &k;
    }
    return nullptr;
}

std::string KeyLine(const KeyInfo& key, const sim::SimMachine& m)
{
    long long v = key.get(m);
    return key.hex ? Format("%ls=0x%08llX\n", key.name, v) : Format("%ls=%lld\n", key.name, v);
}

std::string SettingLine(const sim::SimSetting& s)
{
    std::string value = s.split ? Format("%u/%u", s.battery, s.ac) : Format("%u", s.battery);
    return Format("setting 0x%04X=%s,0x%08X,0x%08X\n", s.location, value.c_str(),
                  static_cast<unsigned>(s.res3), static_cast<unsigned>(s.res4));
}

bool Number(const std::wstring& text, long long low, long long high, long long& value)
{
    return sim::ParseNumber(text, value) && value >= low && value <= high;
}

// A numeric argument or the usage error for it.
#define REQUIRE_NUMBER(text, low, high, value)                                                               \
    if (!Number(text, low, high, value)) return Usage("a number is missing or out of range")

int SetSetting(sim::SimMachine& m, const Args& args)
{
    long long location = 0, battery = 0, ac = 0;
    if (args.size() != 3 && args.size() != 4)
        return Usage("set setting LOCATION VALUE | LOCATION BATTERY AC");
    REQUIRE_NUMBER(args[1], 0, 0xFFFF, location);
    REQUIRE_NUMBER(args[2], 0, 0xFFFF, battery);
    ac = battery;
    if (args.size() == 4) REQUIRE_NUMBER(args[3], 0, 0xFFFF, ac);
    sim::SimSetting* setting = sim::FindSetting(m, static_cast<uint16_t>(location));
    if (!setting) {
        std::fputs("simctl: the machine has no setting at that location\n", stderr);
        return kFailed;
    }
    setting->split = args.size() == 4;
    setting->battery = static_cast<uint16_t>(battery);
    setting->ac = static_cast<uint16_t>(ac);
    return kDone;
}

int AddForcedAnswer(sim::SimMachine& m, const sim::SimForcedAnswer& answer)
{
    for (sim::SimForcedAnswer& slot : m.faults.forced) {
        if (slot.remaining != 0) continue;
        slot = answer;
        return kDone;
    }
    std::fputs("simctl: too many injected answers; use answer-clear\n", stderr);
    return kFailed;
}

} // namespace

int Load(sim::CMachineState& state, const Args& args)
{
    if (args.size() != 1) return Usage("load PROFILE");
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    if (!sim::LoadProfile(args[0], *machine)) {
        std::fprintf(stderr, "simctl: no such profile: %s\n", Utf8(sim::ResolveProfile(args[0])).c_str());
        return kFailed;
    }
    return kDone;
}

int Show(sim::CMachineState& state, const Args& args)
{
    if (!args.empty()) return Usage("show takes no arguments");
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    const sim::SimMachine& m = *machine;
    std::string out = "profile=" + Utf8(m.profile) + "\n";
    for (const KeyInfo& key : kKeys) out += KeyLine(key, m);
    out += Format(
        "last-version=0x%08X,0x%08X,0x%08X,0x%08X\n", static_cast<unsigned>(m.firmware.lastVersion[0]),
        static_cast<unsigned>(m.firmware.lastVersion[1]), static_cast<unsigned>(m.firmware.lastVersion[2]),
        static_cast<unsigned>(m.firmware.lastVersion[3]));
    out += Format("manufacturer=%.64s\nproduct=%.64s\nbios-vendor=%.64s\n", m.smbios.manufacturer,
                  m.smbios.product, m.smbios.biosVendor);
    out += Format("system-id=0x%04X\n", m.smbios.systemId);
    for (int i = 0; i < m.smbios.tokenCount && i < sim::kMaxTokens; ++i) {
        const sim::SimToken& t = m.smbios.tokens[i];
        out += Format("token 0x%04X location=0x%04X value=0x%04X\n", t.identifier, t.location, t.value);
    }
    for (int i = 0; i < m.firmware.settingCount && i < sim::kMaxSettings; ++i) {
        out += SettingLine(m.firmware.settings[i]);
    }
    out += Format("calls=%u events=%u\n", static_cast<unsigned>(m.callCount),
                  static_cast<unsigned>(m.eventCount));
    out += PowerPlansText(m);
    out += AudioText(m);
    out += RadioText(m);
    Print(out);
    return kDone;
}

int GetValue(sim::CMachineState& state, const Args& args)
{
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    if (args.size() == 2 && args[0] == L"setting") {
        long long location = 0;
        REQUIRE_NUMBER(args[1], 0, 0xFFFF, location);
        const sim::SimSetting* s = sim::FindSetting(*machine, static_cast<uint16_t>(location));
        if (!s) return kFailed;
        Print(s->split ? Format("%u/%u\n", s->battery, s->ac) : Format("%u\n", s->battery));
        return kDone;
    }
    const KeyInfo* key = args.size() == 1 ? FindKey(args[0]) : nullptr;
    if (!key) return Usage("get KEY | get setting LOCATION");
    std::string line = KeyLine(*key, *machine);
    Print(line.substr(line.find('=') + 1));
    return kDone;
}

int Set(sim::CMachineState& state, const Args& args)
{
    bool power = false;
    {
        sim::CMachineState::Lock machine(state);
        if (!machine.Held()) return kFailed;
        if (!args.empty() && args[0] == L"setting") return SetSetting(*machine, args);
        const KeyInfo* key = args.size() == 2 ? FindKey(args[0]) : nullptr;
        if (!key) return Usage("set KEY VALUE (see show for the keys)");
        long long value = 0;
        REQUIRE_NUMBER(args[1], key->low, key->high, value);
        // The batteries' time so far passes under the state before the change.
        sim::AdvanceBatteries(*machine, sim::NowMs());
        key->set(*machine, value);
        power = key->power;
    }
    if (power) BroadcastPower(PBT_APMPOWERSTATUSCHANGE);
    return kDone;
}

int Calls(sim::CMachineState& state, const Args& args)
{
    bool detail = args.size() == 1 && args[0] == L"-v";
    if (!args.empty() && !detail) return Usage("calls [-v]");
    std::vector<sim::SimCall> calls;
    {
        sim::CMachineState::Lock machine(state);
        if (!machine.Held()) return kFailed;
        calls = sim::LoggedCalls(*machine);
    }
    std::string out;
    for (const sim::SimCall& call : calls) {
        out += sim::FormatCall(call);
        if (detail) {
            out += Format(" length=%u tail-zero=%u reserved-zero=%u",
                          static_cast<unsigned>(call.requestLength), call.tailZero, call.reservedZero);
        }
        out += "\n";
    }
    Print(out);
    return kDone;
}

int ClearCalls(sim::CMachineState& state, const Args& args)
{
    if (!args.empty()) return Usage("clear-calls takes no arguments");
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    sim::ClearCalls(*machine);
    return kDone;
}

int FailNext(sim::CMachineState& state, const Args& args)
{
    long long count = 0;
    if (args.size() != 1) return Usage("fail-next N");
    REQUIRE_NUMBER(args[0], 0, 0xFFFFFFFFLL, count);
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    machine->faults.failNext = static_cast<uint32_t>(count);
    return kDone;
}

int AnswerNext(sim::CMachineState& state, const Args& args)
{
    long long res1 = 0, count = 1;
    if (args.empty() || args.size() > 2) return Usage("answer-next RES1 [N]");
    REQUIRE_NUMBER(args[0], INT32_MIN, INT32_MAX, res1);
    if (args.size() == 2) REQUIRE_NUMBER(args[1], 1, 0xFFFFFFFELL, count);
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    sim::SimForcedAnswer answer{};
    answer.anyCall = 1;
    answer.res1 = static_cast<int32_t>(res1);
    answer.remaining = static_cast<uint32_t>(count);
    return AddForcedAnswer(*machine, answer);
}

int Answer(sim::CMachineState& state, const Args& args)
{
    long long cbClass = 0, cbSelect = 0, res1 = 0, count = sim::kForcedForever;
    if (args.size() < 3 || args.size() > 4) return Usage("answer CLASS SELECT RES1 [N]");
    REQUIRE_NUMBER(args[0], 0, 0xFFFF, cbClass);
    REQUIRE_NUMBER(args[1], 0, 0xFFFF, cbSelect);
    REQUIRE_NUMBER(args[2], INT32_MIN, INT32_MAX, res1);
    if (args.size() == 4) REQUIRE_NUMBER(args[3], 1, 0xFFFFFFFELL, count);
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    sim::SimForcedAnswer answer{};
    answer.cbClass = static_cast<uint16_t>(cbClass);
    answer.cbSelect = static_cast<uint16_t>(cbSelect);
    answer.res1 = static_cast<int32_t>(res1);
    answer.remaining = static_cast<uint32_t>(count);
    return AddForcedAnswer(*machine, answer);
}

int Alert(sim::CMachineState& state, const Args& args)
{
    long long code = sim::kNoAlert, detail = sim::kNoAlert, flags = 0;
    const bool clear = args.size() == 1 && args[0] == L"clear";
    if (!clear && (args.empty() || args.size() > 3))
        return Usage("alert CODE [DETAIL [FLAGS]] | alert clear");
    if (!clear) {
        REQUIRE_NUMBER(args[0], 0, 0xFFFFFFFFLL, code);
        detail = 0;
        if (args.size() >= 2) REQUIRE_NUMBER(args[1], 0, 0xFFFFFFFFLL, detail);
        if (args.size() == 3) REQUIRE_NUMBER(args[2], 0, 0xFFFFFFFFLL, flags);
    }
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    machine->alert.code = static_cast<uint32_t>(code);
    machine->alert.detail = static_cast<uint32_t>(detail);
    machine->alert.flags = static_cast<uint32_t>(flags);
    return kDone;
}

int AnswerClear(sim::CMachineState& state, const Args& args)
{
    if (!args.empty()) return Usage("answer-clear takes no arguments");
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    std::memset(machine->faults.forced, 0, sizeof machine->faults.forced);
    return kDone;
}

void BroadcastPower(unsigned event)
{
    ::PostMessageW(HWND_BROADCAST, WM_POWERBROADCAST, event, 0);
}

std::string Format(const char* format, ...)
{
    char line[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    return line;
}

} // namespace simctl
