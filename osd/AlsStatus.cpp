#include "AlsStatus.h"

#include "BiosCalls.h"

namespace {

constexpr uint16_t kAlsClass = 0x0011;
constexpr uint16_t kAlsStatusSelect = 0x000A;

} // namespace

std::optional<bool> ReadAlsEnabled(IBiosCalls* bios)
{
    if (!bios) return std::nullopt;
    BiosCallBuffer call;
    if (!bios->PerformSmi(call, kAlsClass, kAlsStatusSelect, 0, 0, 0, 0) || call.cbRes1 != 0)
        return std::nullopt;
    return (call.cbRes2 & 0xFFu) != 0;
}
