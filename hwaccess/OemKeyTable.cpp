#include "OemKeyTable.h"

#include <algorithm>

uint16_t OemKeyCode(uint32_t scanCode, bool extended)
{
    const auto matches = [&](uint16_t code) {
        return OemKeyScanCode(code) == scanCode && IsExtendedOemKey(code) == extended;
    };
    const auto it = std::find_if(kOemKeyCodes.begin(), kOemKeyCodes.end(), matches);
    return it == kOemKeyCodes.end() ? 0 : *it;
}

uint16_t OemKeyCodeFromEventWord(uint16_t word)
{
    return OemKeyCode(word & 0xFF, (word >> 8) == 0xE0);
}
