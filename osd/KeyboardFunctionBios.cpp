#include "KeyboardFunctionBios.h"

#include "BiosCalls.h"

namespace {

constexpr uint16_t kKeyboardClass = 0x0004;
constexpr uint16_t kKeyboardSelect = 0x000B;
constexpr uint32_t kLightCapability = 0x00;
constexpr uint32_t kLightState = 0x01;
constexpr uint32_t kRadioSelector = 0x10;

// The state's low word: 0 no answer, 1 off, otherwise the level follows.
constexpr uint32_t kNoState = 0;
constexpr uint32_t kStateOff = 1;
constexpr uint32_t kStateFirstLevel = 2;

int LevelByte(uint32_t res3)
{
    return static_cast<int>((res3 >> 16) & 0xFFu);
}

} // namespace

std::optional<int> CKeyboardFunctionBios::ReadLightLevels() const
{
    if (!m_bios) return std::nullopt;
    BiosCallBuffer call;
    if (!m_bios->PerformSmi(call, kKeyboardClass, kKeyboardSelect, kLightCapability, 0, 0, 0)
        || call.cbRes1 != 0)
        return std::nullopt;
    return LevelByte(call.cbRes3);
}

CKeyboardFunctionBios::LightState CKeyboardFunctionBios::ReadLightState(bool dialogStyle) const
{
    if (!m_bios) return {};
    BiosCallBuffer call;
    if (!m_bios->PerformSmi(call, kKeyboardClass, kKeyboardSelect, kLightState, 0, 0, 0) || call.cbRes1 != 0)
        return {};
    const uint32_t state = call.cbRes2 & 0xFFFFu;
    if (state == kNoState) return {};
    if (state == kStateOff) return {true, 0};
    if (dialogStyle && state == kStateFirstLevel) return {true, 1};
    return {true, LevelByte(call.cbRes3)};
}

int32_t CKeyboardFunctionBios::ReadRadioSelector() const
{
    if (!m_bios) return -1;
    BiosCallBuffer call;
    if (!m_bios->PerformSmi(call, kKeyboardClass, kKeyboardSelect, kRadioSelector, 0, 0, 0)
        || call.cbRes1 != 0)
        return -1;
    return static_cast<int32_t>(call.cbRes2);
}
