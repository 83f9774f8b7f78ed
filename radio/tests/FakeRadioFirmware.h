#pragma once
#include <cstdint>
#include <vector>

#include "BiosCallBuffer.h"
#include "RecordingBios.h"

// A radio-control firmware for the wrappers' tests: a status word, a switch
// configuration, the legacy call's status, and a locator area of any size.
// Its read chunks carry 0xEE for bytes past the area's end, as a careless
// firmware might, so a wrapper that stored them would show it.
class FakeRadioFirmware {
public:
    static constexpr uint8_t kPastTheEnd = 0xEE;

    explicit FakeRadioFirmware(RecordingBios& bios) : m_bios(bios)
    {
        bios.script = [this](BiosCallBuffer& b) { return Answer(b); };
    }

    uint32_t status = 0x0001070F;
    uint32_t config = 0x0107;
    int32_t legacyRes1 = 0;
    uint32_t legacyState = 1;
    uint8_t format = 3;
    int32_t failChunkAt = -1; // a read or write chunk at this offset fails
    std::vector<uint8_t> area;

    // The four argument words of every area-write chunk, in order.
    struct Written {
        uint32_t offset;
        uint32_t words[3];
    };
    std::vector<Written> writes;
    int commits = 0;

    // The calls made since the last look, of class 0x11 and any select.
    size_t CallCount() const { return m_bios.requests.size(); }

private:
    uint8_t AreaByte(size_t at) const { return at < area.size() ? area[at] : kPastTheEnd; }
    uint32_t Word(size_t at) const
    {
        return AreaByte(at) | AreaByte(at + 1) << 8 | AreaByte(at + 2) << 16
               | static_cast<uint32_t>(AreaByte(at + 3)) << 24;
    }

    bool Answer(BiosCallBuffer& b)
    {
        b.cbRes1 = -1;
        if (b.cbClass == 0x11 && b.cbSelect == 0x02) {
            b.cbRes1 = legacyRes1;
            b.cbRes2 = legacyState;
            return true;
        }
        if (b.cbClass != 0x11 || b.cbSelect != 0x0B) return true;
        const uint32_t sub = b.cbArg1 & 0xFF;
        const uint32_t offset = (b.cbArg1 >> 8) & 0xFFFF;
        const bool chunkFails = failChunkAt >= 0 && offset == static_cast<uint32_t>(failChunkAt);
        switch (sub) {
        case 0x00:
            b.cbRes1 = 0;
            b.cbRes2 = status;
            b.cbRes3 = static_cast<uint32_t>(area.size());
            b.cbRes4 = format;
            break;
        case 0x01:
            b.cbRes1 = 0;
            break;
        case 0x02:
            b.cbRes1 = 0;
            b.cbRes2 = config;
            break;
        case 0x10:
            if (chunkFails) break;
            b.cbRes1 = 0;
            b.cbRes2 = Word(offset);
            b.cbRes3 = Word(offset + 4);
            b.cbRes4 = Word(offset + 8);
            break;
        case 0x11:
            if (chunkFails) break;
            b.cbRes1 = 0;
            writes.push_back({offset, {b.cbArg2, b.cbArg3, b.cbArg4}});
            break;
        case 0x12:
            b.cbRes1 = 0;
            break;
        case 0x13:
            b.cbRes1 = 0;
            ++commits;
            break;
        }
        return true;
    }

    RecordingBios& m_bios;
};
