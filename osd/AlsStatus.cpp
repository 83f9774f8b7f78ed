#include "AlsStatus.h"

#include "AlsBios.h"

std::optional<bool> ReadAlsEnabled(IBiosCalls* bios)
{
    uint8_t enabled = 0;
    if (!CAlsBios(bios).ReadStatus(&enabled)) return std::nullopt;
    return enabled != 0;
}
