#pragma once
#include <cstddef>
#include <cstdint>

// The tile server's share of the machine identity: the model number and the
// four capability words, without maker checks or tokens.
class CReducedSMBIOSParser {
public:
    // Reads one raw table; never reads outside [data, data + length).
    void Parse(size_t length, const uint8_t* data);

    uint16_t CapabilityWord(int index) const; // 0 for index outside 0..3
    uint16_t SystemId() const { return m_systemId; }

private:
    uint16_t m_capabilityWords[4] = {};
    uint16_t m_systemId = 0;
};
