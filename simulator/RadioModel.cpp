#include "RadioModel.h"

#include <algorithm>
#include <cstring>

namespace sim {
namespace {

constexpr uint32_t kSwitchPresent = 1u << 0;
constexpr uint32_t kFirstInstalledBit = 8; // Wi-Fi, Bluetooth, Mobile Broadband: 8..10
constexpr uint32_t kRadiosOn = 1u << 16;
constexpr uint32_t kFirstOffBit = 17; // 17..19
constexpr uint32_t kModelledBits = 0xFu << 16;
constexpr int kRadioCount = 3;
constexpr uint8_t kAllRadios = 0x7;

constexpr uint16_t kFollowsSwitch = 0x0007;
constexpr uint16_t kSwitchLocked = 1u << 7;

constexpr uint32_t kChunkBytes = 12;
constexpr uint32_t kLocatorSignature = 0x46494E53;
constexpr uint16_t kFreshAreaLength = 38;

constexpr int32_t kRefused = -1;

RadioAnswer Done(uint32_t res2 = 0)
{
    return {0, res2};
}

RadioAnswer Status(const SimMachine& machine)
{
    const SimFirmware& f = machine.firmware;
    if (f.radioRes1 != 0) return {f.radioRes1, f.radioStatus};
    return {0, f.radioStatus, machine.radio.areaSize, machine.radio.formatVersion};
}

RadioAnswer Disable(SimMachine& machine, uint32_t radio, bool disable)
{
    uint8_t mask = 0;
    if (radio == kRadioAll) {
        mask = kAllRadios;
    } else if (radio <= static_cast<uint32_t>(kRadioCount)) {
        mask = static_cast<uint8_t>(1u << (radio - 1));
    } else {
        return {kRefused};
    }
    SimRadio& r = machine.radio;
    r.disabled = static_cast<uint8_t>(disable ? r.disabled | mask : r.disabled & ~mask);
    UpdateRadioStatus(machine);
    return Done();
}

RadioAnswer SwitchConfig(SimMachine& machine, uint32_t arg1)
{
    SimRadio& r = machine.radio;
    switch ((arg1 >> 8) & 0xFF) {
    case 0:
        return Done(r.switchConfig);
    case 1:
        if (r.switchConfig & kSwitchLocked) return {kRefused};
        r.switchConfig
            = static_cast<uint16_t>((r.switchConfig & ~kFollowsSwitch) | ((arg1 >> 16) & kFollowsSwitch));
        UpdateRadioStatus(machine);
        return Done();
    }
    return {};
}

uint32_t WorkingWord(const SimRadio& r, uint32_t offset)
{
    uint32_t value = 0;
    for (uint32_t i = 4; i-- > 0;) {
        const uint32_t at = offset + i;
        value = (value << 8) | (at < r.areaSize ? r.working[at] : 0u);
    }
    return value;
}

RadioAnswer ReadChunk(const SimRadio& r, uint32_t offset)
{
    if (offset >= r.areaSize) return {kRefused};
    return {0, WorkingWord(r, offset), WorkingWord(r, offset + 4), WorkingWord(r, offset + 8)};
}

// Bytes of the chunk that lie past the area are dropped.
RadioAnswer WriteChunk(SimRadio& r, uint32_t offset, const uint32_t (&words)[3])
{
    if (offset >= r.areaSize) return {kRefused};
    for (uint32_t i = 0; i < kChunkBytes && offset + i < r.areaSize; ++i) {
        r.working[offset + i] = static_cast<uint8_t>(words[i / 4] >> (8 * (i % 4)));
    }
    return Done();
}

} // namespace

void UpdateRadioStatus(SimMachine& machine)
{
    const SimRadio& r = machine.radio;
    uint32_t& status = machine.firmware.radioStatus;
    const bool switchCuts = (status & kSwitchPresent) != 0 && !r.switchOn;
    uint32_t bits = 0;
    for (int i = 0; i < kRadioCount; ++i) {
        if ((status & (1u << (kFirstInstalledBit + i))) == 0) continue;
        const bool off = (r.disabled & (1u << i)) != 0 || (switchCuts && (r.switchConfig & (1u << i)) != 0);
        bits |= off ? 1u << (kFirstOffBit + i) : kRadiosOn;
    }
    status = (status & ~kModelledBits) | bits;
}

RadioAnswer AnswerRadioCall(SimMachine& machine, const BiosCallBuffer& call)
{
    SimRadio& r = machine.radio;
    const uint32_t offset = (call.cbArg1 >> 8) & 0xFFFF;
    switch (call.cbArg1 & 0xFF) {
    case 0x00:
        return Status(machine);
    case 0x01:
        return Disable(machine, (call.cbArg1 >> 8) & 0xFF, ((call.cbArg1 >> 16) & 0xFF) != 0);
    case 0x02:
        return SwitchConfig(machine, call.cbArg1);
    case 0x10:
        return ReadChunk(r, offset);
    case 0x11:
        return WriteChunk(r, offset, {call.cbArg2, call.cbArg3, call.cbArg4});
    case 0x12:
        if (r.areaSize == 0) return {kRefused};
        std::memcpy(r.working, r.area, sizeof r.working);
        ++r.areaLoads;
        return Done();
    case 0x13:
        if (r.areaSize == 0) return {kRefused};
        std::memcpy(r.area, r.working, sizeof r.area);
        ++r.areaCommits;
        return Done();
    }
    return {};
}

RadioAnswer AnswerLegacyRadioCall(SimMachine& machine, const BiosCallBuffer& call)
{
    SimRadio& r = machine.radio;
    if (r.legacyRes1 != 0) return {r.legacyRes1};
    switch (call.cbArg1 & 0xFF) {
    case 0x00:
        break;
    case 0x01:
        r.disabled = ((call.cbArg1 >> 8) & 0xFF) != 0 ? 0 : kAllRadios;
        UpdateRadioStatus(machine);
        break;
    default:
        return {};
    }
    return Done((machine.firmware.radioStatus & kRadiosOn) != 0 ? 1 : 0);
}

bool SetRadioSwitch(SimMachine& machine, bool on, bool& changed)
{
    changed = false;
    if (!machine.radio.modelled || (machine.firmware.radioStatus & kSwitchPresent) == 0) return false;
    SimRadio& r = machine.radio;
    changed = (r.switchOn != 0) != on;
    if (!changed) return true;
    r.switchOn = on ? 1 : 0;
    ++r.switchFlips;
    UpdateRadioStatus(machine);
    return true;
}

void ResetLocatorArea(SimRadio& radio)
{
    std::memset(radio.area, 0, sizeof radio.area);
    const uint8_t header[] = {kFreshAreaLength,
                              0,
                              static_cast<uint8_t>(kLocatorSignature),
                              static_cast<uint8_t>(kLocatorSignature >> 8),
                              static_cast<uint8_t>(kLocatorSignature >> 16),
                              static_cast<uint8_t>(kLocatorSignature >> 24)};
    std::copy_n(header, std::min<size_t>(sizeof header, radio.areaSize), radio.area);
    std::memcpy(radio.working, radio.area, sizeof radio.working);
}

} // namespace sim
