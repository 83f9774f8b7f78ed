#pragma once
#include <cstdint>
#include <optional>

class IBiosCalls;

// The firmware's keyboard functions the displays use (class 4, select 0x0B):
// the keyboard light's level count and state, and whether the wireless key
// may offer the two-choice radio selector.
class CKeyboardFunctionBios {
public:
    // The state as the firmware answers it: no answer, or a level (0 = off).
    struct LightState {
        bool answered = false;
        int level = 0;
    };

    // bios may be null (no firmware): every call then fails.
    explicit CKeyboardFunctionBios(IBiosCalls* bios) : m_bios(bios) {}

    // The highest level; empty when the call fails.
    std::optional<int> ReadLightLevels() const;
    // The dialog style counts the firmware's "level 1" answer as level 1
    // rather than reading the level byte.
    LightState ReadLightState(bool dialogStyle) const;
    // The selector availability answer; any failure reads as -1.
    int32_t ReadRadioSelector() const;

private:
    IBiosCalls* m_bios;
};
