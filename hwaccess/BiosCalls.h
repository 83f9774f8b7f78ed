#pragma once
#include <cstdint>

#include "BiosCallBuffer.h"

// What logic code needs of the BIOS: one call with a prepared record. Code
// that makes BIOS calls takes this interface so it can run against a double.
class IBiosCalls {
public:
    virtual ~IBiosCalls() = default;

    // Sends the first 44 + extraBytes bytes at &buffer (extra bytes follow the
    // record in the caller's memory) and copies the 44-byte answer back.
    // True when the firmware answered; the caller then still tests cbRes1.
    // False when no answer arrived; cbRes1 is then kBiosNoAnswer.
    virtual bool PerformSmi(BiosCallBuffer& buffer, int extraBytes) = 0;

    // Fill-and-call: clears all 45 bytes, stores class, selector and the four
    // arguments, then calls PerformSmi.
    bool PerformSmi(BiosCallBuffer& buffer, uint16_t cbClass, uint16_t cbSelect, uint32_t arg1, uint32_t arg2,
                    uint32_t arg3, uint32_t arg4, int extraBytes = 0);
};
