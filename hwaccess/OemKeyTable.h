#pragma once
#include <array>
#include <cstdint>

// The OEM keys the tray accepts, as event codes: the keyboard scan code, plus
// 0xE000 for an E0-prefixed key. Hotkeys from the keyboard hook and firmware
// events share this code space; a code outside this list is never acted on.
// The order is the one handed to the keyboard DLL.
inline constexpr std::array<uint16_t, 33> kOemKeyCodes = {
    0xE0F7, 0xE0F8, 0xE0F9, 0xE030, 0xE080, 0xE02E, 0xE0AE, 0xE020, 0xE0A0, 0xE006, 0xE005,
    0xE007, 0xE008, 0xE009, 0xE00D, 0xE00B, 0xE00A, 0xE00E, 0xE011, 0xE013, 0xE00C, 0xE01B,
    0xE09B, 0xE033, 0xE034, 0x003A, 0xE045, 0xE023, 0xE025, 0xE027, 0xE028, 0xE026, 0xE029,
};

inline constexpr uint16_t kExtendedCodeBase = 0xE000;

constexpr uint16_t OemKeyScanCode(uint16_t code)
{
    return code & 0xFF;
}
constexpr bool IsExtendedOemKey(uint16_t code)
{
    return (code & 0xFF00) == kExtendedCodeBase;
}

// The event code of the key {scan code, extended}, or 0 when the table does
// not hold that key.
uint16_t OemKeyCode(uint32_t scanCode, bool extended);

// The event code of a firmware event word (low byte the scan code, high byte
// 0xE0 for an extended key), or 0 when the table does not hold that key.
uint16_t OemKeyCodeFromEventWord(uint16_t word);
