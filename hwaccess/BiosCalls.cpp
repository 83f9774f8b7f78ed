#include "BiosCalls.h"

bool IBiosCalls::PerformSmi(BiosCallBuffer& buffer, uint16_t cbClass, uint16_t cbSelect, uint32_t arg1,
                            uint32_t arg2, uint32_t arg3, uint32_t arg4, int extraBytes)
{
    buffer = BiosCallBuffer{};
    buffer.cbClass = cbClass;
    buffer.cbSelect = cbSelect;
    buffer.cbArg1 = arg1;
    buffer.cbArg2 = arg2;
    buffer.cbArg3 = arg3;
    buffer.cbArg4 = arg4;
    return PerformSmi(buffer, extraBytes);
}
