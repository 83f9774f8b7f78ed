#include <windows.h>

#include <cstdio>
#include <cstring>

#include "Commands.h"
#include "EventQueue.h"
#include "RadioModel.h"

namespace simctl {
namespace {

// The firmware's wireless-switch event: the new status word, low half first.
constexpr uint16_t kWirelessEvent = 0xE008;
constexpr size_t kFirmwareEventBytes = 128;

constexpr size_t kLocatorHeader = 38;
constexpr int kBitmapWords = 7;

unsigned Bit(uint32_t word, int bit)
{
    return (word >> bit) & 1u;
}

const char* Described(unsigned value, std::initializer_list<const char*> names)
{
    return value < names.size() ? names.begin()[value] : "unknown";
}

// Reads the area as the firmware holds it, never past its size.
class AreaBytes {
public:
    AreaBytes(const uint8_t* bytes, size_t size) : m_bytes(bytes), m_size(size) {}
    size_t Size() const { return m_size; }
    uint8_t Byte(size_t at) const { return at < m_size ? m_bytes[at] : 0; }
    uint32_t Le(size_t at, int count) const
    {
        uint32_t value = 0;
        for (int i = count - 1; i >= 0; --i) value = (value << 8) | Byte(at + static_cast<size_t>(i));
        return value;
    }

private:
    const uint8_t* m_bytes;
    size_t m_size;
};

// A name's bytes, printable ASCII as it stands and the rest as \xNN.
std::string Quoted(const AreaBytes& area, size_t from, size_t count)
{
    std::string out = "\"";
    for (size_t i = 0; i < count; ++i) {
        const uint8_t c = area.Byte(from + i);
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            out += static_cast<char>(c);
        } else {
            out += Format("\\x%02X", c);
        }
    }
    return out + "\"";
}

std::string LocatorText(const sim::SimRadio& r, bool working)
{
    const AreaBytes area(working ? r.working : r.area, r.areaSize);
    std::string out
        = Format("locator-area size=%u format=%u loads=%u commits=%u pending=%s\n", r.areaSize,
                 r.formatVersion, static_cast<unsigned>(r.areaLoads), static_cast<unsigned>(r.areaCommits),
                 std::memcmp(r.area, r.working, r.areaSize) != 0 ? "yes" : "no");
    if (r.areaSize == 0) return out;
    const uint32_t signature = area.Le(2, 4);
    out += Format("length=%u signature=0x%08X%s\n", area.Le(0, 2), static_cast<unsigned>(signature),
                  signature == 0x46494E53 ? " (SNIF)" : "");
    out += "adapter-bitmap=";
    for (int i = 0; i < kBitmapWords; ++i) {
        const unsigned word = area.Le(6 + 4 * static_cast<size_t>(i), 4);
        out += Format(i == 0 ? "0x%08X" : ",0x%08X", word);
    }
    const unsigned mode = area.Byte(34), filter = area.Byte(35), bands = area.Byte(36), count = area.Byte(37);
    out += Format("\nsearch-mode=%u (%s)\n", mode,
                  Described(mode, {"any network", "preferred networks only"}));
    out += Format("strength-filter=%u (%s)\n", filter, Described(filter, {"weak or strong", "strong only"}));
    out += Format("bands=%u (%s)\n", bands, Described(bands, {"2.4 GHz", "5 GHz", "both"}));
    out += Format("preferred-count=%u\n", count);
    size_t at = kLocatorHeader;
    for (unsigned n = 1; n <= count && n <= 5; ++n) {
        if (at + 2 > area.Size()) {
            out += Format("preferred %u lies past the area\n", n);
            break;
        }
        const unsigned length = area.Byte(at + 1);
        const size_t shown = at + 2 + length <= area.Size() ? length : area.Size() - (at + 2);
        out += Format("preferred %u flags=0x%02X length=%u ssid=", n, area.Byte(at), length)
               + Quoted(area, at + 2, shown) + (shown < length ? " (cut at the area's end)\n" : "\n");
        at += 2 + length;
    }
    return out;
}

} // namespace

std::string RadioText(const sim::SimMachine& m)
{
    const sim::SimRadio& r = m.radio;
    const uint32_t s = m.firmware.radioStatus;
    std::string out
        = Format("radio-status=0x%08X modelled=%u switch-present=%u locator-supported=%u radios-on=%u\n",
                 static_cast<unsigned>(s), r.modelled, Bit(s, 0), Bit(s, 1), Bit(s, 16));
    out += Format("switch=%s flips=%u\n", r.switchOn ? "on" : "off", static_cast<unsigned>(r.switchFlips));
    out += Format("switch-config=0x%04X switch-locked=%u locator-enabled=%u locator-locked=%u\n",
                  r.switchConfig, Bit(r.switchConfig, 7), Bit(r.switchConfig, 8), Bit(r.switchConfig, 15));
    const char* names[] = {"wifi", "bluetooth", "wwan"};
    for (int i = 0; i < 3; ++i) {
        out += Format("%s installed=%u off=%u disabled=%u follows-switch=%u\n", names[i], Bit(s, 8 + i),
                      Bit(s, 17 + i), Bit(r.disabled, i), Bit(r.switchConfig, i));
    }
    out += Format("legacy-res1=%d\n", static_cast<int>(r.legacyRes1));
    return out;
}

int Radios(sim::CMachineState& state, const Args& args)
{
    if (!args.empty()) return Usage("radios takes no arguments");
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    Print(RadioText(*machine));
    return kDone;
}

int RadioSwitch(sim::CMachineState& state, const Args& args)
{
    if (args.size() != 1 || (args[0] != L"on" && args[0] != L"off")) return Usage("radio-switch on|off");
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    bool changed = false;
    if (!sim::SetRadioSwitch(*machine, args[0] == L"on", changed)) {
        std::fputs("simctl: the machine has no hardware wireless switch\n", stderr);
        return kFailed;
    }
    if (!changed) return kDone;
    const uint32_t status = machine->firmware.radioStatus;
    const std::vector<uint16_t> words{
        5, 0, kWirelessEvent, static_cast<uint16_t>(status & 0xFFFF), static_cast<uint16_t>(status >> 16), 0};
    sim::SimEvent event = sim::EventFromWords(words, kFirmwareEventBytes);
    wcsncpy(event.className, L"BIOSEvent", 31);
    sim::WakeSubscribers(*machine, sim::RaiseEvent(*machine, event));
    return kDone;
}

int Locator(sim::CMachineState& state, const Args& args)
{
    const bool working = args.size() == 1 && args[0] == L"--working";
    if (!args.empty() && !working) return Usage("locator [--working]");
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return kFailed;
    Print(LocatorText(machine->radio, working));
    return kDone;
}

} // namespace simctl
