#include "AlsBios.h"

#include "BiosCalls.h"

namespace {

constexpr uint16_t kAlsClass = 0x0011;
constexpr uint16_t kAlsStatusSelect = 0x000A;

void Put(uint8_t* output, uint8_t value)
{
    if (output) *output = value;
}

uint8_t Byte(uint32_t word, int index)
{
    return static_cast<uint8_t>(word >> (8 * index));
}

} // namespace

bool CAlsBios::ReadStatus(uint8_t* enabled, uint8_t* extra0, uint8_t* extra1, uint8_t* extra2,
                          uint8_t* extra3) const
{
    BiosCallBuffer call;
    const bool answered
        = m_bios && m_bios->PerformSmi(call, kAlsClass, kAlsStatusSelect, 0, 0, 0, 0) && call.cbRes1 == 0;
    const uint32_t res2 = answered ? call.cbRes2 : 0;
    const uint32_t res3 = answered ? call.cbRes3 : 0;
    Put(enabled, Byte(res2, 0));
    Put(extra0, Byte(res3, 0));
    Put(extra1, Byte(res3, 1));
    Put(extra2, Byte(res3, 2));
    Put(extra3, Byte(res3, 3));
    return answered;
}
