#pragma once
#include <cstdint>
#include <functional>

#include "BiosCalls.h"
#include "SMBIOSParser.h"

// Reading and activating firmware settings named by SMBIOS tokens. A token
// that the identity does not list fails at once without a BIOS call.
class CTokenOperations {
public:
    CTokenOperations(IBiosCalls& bios, const CSMBIOSParser& identity, std::function<bool()> isOnAcPower);

    uint16_t Read(uint16_t identifier); // 0 on failure
    bool ReadAll(uint16_t identifier, uint16_t* v1, uint16_t* v2, uint16_t* v3);
    bool IsActive(uint16_t identifier);
    // powerSource: -1 the current source, 0 battery, any other value AC.
    bool Activate(uint16_t identifier, int powerSource);

    // Tokens whose setting exists once for battery and once for AC power.
    static bool HasPowerVariants(uint16_t identifier);
    // The selector of a token call: 0 for plain tokens, else 1 battery, 2 AC.
    static uint16_t Selector(uint16_t identifier, int powerSource, bool onAcPower);

private:
    // Sends the read call; null (and no call) when the identity lacks the token.
    const Token* ReadCall(uint16_t identifier, BiosCallBuffer& buffer, bool& answered);

    IBiosCalls& m_bios;
    const CSMBIOSParser& m_identity;
    std::function<bool()> m_isOnAcPower;
};
