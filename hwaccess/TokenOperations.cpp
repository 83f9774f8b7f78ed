#include "TokenOperations.h"

#include <algorithm>
#include <utility>

namespace {

constexpr uint16_t kReadClass = 0x0000;
constexpr uint16_t kActivateClass = 0x0001;
constexpr uint16_t kSelectPlain = 0;
constexpr uint16_t kSelectBattery = 1;
constexpr uint16_t kSelectAc = 2;
constexpr int kCurrentPowerSource = -1;
constexpr int kBatteryPower = 0;

constexpr uint16_t kPowerVariantTokens[]
    = {0x006F, 0x0070, 0x0071, 0x0072, 0x0079, 0x007A, 0x007D, 0x017B, 0x017C, 0x017D};

uint16_t Low16(uint32_t value)
{
    return static_cast<uint16_t>(value & 0xFFFF);
}

void SetIfWanted(uint16_t* out, uint16_t value)
{
    if (out) *out = value;
}

} // namespace

CTokenOperations::CTokenOperations(IBiosCalls& bios, const CSMBIOSParser& identity,
                                   std::function<bool()> isOnAcPower)
    : m_bios(bios), m_identity(identity), m_isOnAcPower(std::move(isOnAcPower))
{}

bool CTokenOperations::HasPowerVariants(uint16_t identifier)
{
    return std::find(std::begin(kPowerVariantTokens), std::end(kPowerVariantTokens), identifier)
           != std::end(kPowerVariantTokens);
}

uint16_t CTokenOperations::Selector(uint16_t identifier, int powerSource, bool onAcPower)
{
    if (!HasPowerVariants(identifier)) return kSelectPlain;
    if (powerSource == kCurrentPowerSource) return onAcPower ? kSelectAc : kSelectBattery;
    return powerSource == kBatteryPower ? kSelectBattery : kSelectAc;
}

const Token* CTokenOperations::ReadCall(uint16_t identifier, BiosCallBuffer& buffer, bool& answered)
{
    answered = false;
    const Token* token = m_identity.FindToken(identifier);
    if (!token) return nullptr;
    const bool onAc = HasPowerVariants(identifier) && m_isOnAcPower();
    answered = m_bios.PerformSmi(buffer, kReadClass, Selector(identifier, kCurrentPowerSource, onAc),
                                 token->location, 0, 0, 0);
    return token;
}

uint16_t CTokenOperations::Read(uint16_t identifier)
{
    BiosCallBuffer buffer;
    bool answered = false;
    if (!ReadCall(identifier, buffer, answered) || buffer.cbRes1 != 0) return 0;
    return Low16(buffer.cbRes2);
}

bool CTokenOperations::ReadAll(uint16_t identifier, uint16_t* v1, uint16_t* v2, uint16_t* v3)
{
    SetIfWanted(v1, 0);
    SetIfWanted(v2, 0);
    SetIfWanted(v3, 0);
    BiosCallBuffer buffer;
    bool answered = false;
    if (!ReadCall(identifier, buffer, answered) || !answered || buffer.cbRes1 != 0) return false;
    SetIfWanted(v1, Low16(buffer.cbRes2));
    SetIfWanted(v2, Low16(buffer.cbRes3));
    SetIfWanted(v3, Low16(buffer.cbRes4));
    return true;
}

bool CTokenOperations::IsActive(uint16_t identifier)
{
    BiosCallBuffer buffer;
    bool answered = false;
    const Token* token = ReadCall(identifier, buffer, answered);
    return token && buffer.cbRes1 == 0 && Low16(buffer.cbRes2) == token->value;
}

bool CTokenOperations::Activate(uint16_t identifier, int powerSource)
{
    const Token* token = m_identity.FindToken(identifier);
    if (!token) return false;
    const bool onAc = powerSource == kCurrentPowerSource && HasPowerVariants(identifier) && m_isOnAcPower();
    BiosCallBuffer buffer;
    m_bios.PerformSmi(buffer, kActivateClass, Selector(identifier, powerSource, onAc), token->location,
                      token->value, 0, 0);
    return buffer.cbRes1 == 0;
}
