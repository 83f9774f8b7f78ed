#pragma once
#include <cstdint>

class IBiosCalls;

// The ambient light sensor's status call of the firmware (class 0x11,
// select 0x0A).
class CAlsBios {
public:
    explicit CAlsBios(IBiosCalls* bios) : m_bios(bios) {}
    virtual ~CAlsBios() = default;

    // True when the firmware answered. enabled: byte 0 of cbRes2 (1 = the
    // sensor is on); extra0..3: bytes 0..3 of cbRes3. On failure every
    // output asked for is 0. Any output may be null.
    bool ReadStatus(uint8_t* enabled, uint8_t* extra0 = nullptr, uint8_t* extra1 = nullptr,
                    uint8_t* extra2 = nullptr, uint8_t* extra3 = nullptr) const;

private:
    IBiosCalls* m_bios;
};
