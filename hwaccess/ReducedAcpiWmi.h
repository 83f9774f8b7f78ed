#pragma once
#include <cstdint>

#include "BiosCalls.h"
#include "ReducedSMBIOSParser.h"
#include "WmiBiosChannel.h"

// The tile server's BIOS interface: calls and the model identity only. The
// server module initialises COM and its security; each object has its own
// connection and lock, so the lock serialises the calls of one object only.
class CReducedAcpiWmi : public CReducedSMBIOSParser, private IBiosCalls {
public:
    CReducedAcpiWmi();
    CReducedAcpiWmi(const CReducedAcpiWmi&) = delete;
    CReducedAcpiWmi& operator=(const CReducedAcpiWmi&) = delete;

    // Clears the record, stores class, selector and arguments, and calls.
    bool PerformSmi(BiosCallBuffer& buffer, uint16_t cbClass, uint16_t cbSelect, uint32_t arg1, uint32_t arg2,
                    uint32_t arg3, uint32_t arg4, int extraBytes = 0)
    {
        return IBiosCalls::PerformSmi(buffer, cbClass, cbSelect, arg1, arg2, arg3, arg4, extraBytes);
    }

    // For firmware wrappers written against the interface.
    IBiosCalls& BiosCalls() { return *this; }

    int DataBufferSize() const { return m_channel.DataBufferSize(); } // 0: no calls possible

private:
    bool PerformSmi(BiosCallBuffer& buffer, int extraBytes) override;

    CWmiBiosChannel m_channel;
};
