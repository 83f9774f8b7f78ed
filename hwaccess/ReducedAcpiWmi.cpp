#include "ReducedAcpiWmi.h"

CReducedAcpiWmi::CReducedAcpiWmi() {
    if (!channel_.Connect()) return;
    channel_.ReadSmbiosTables([this](size_t length, const uint8_t* data) { Parse(length, data); });
    if (channel_.ReadDataBufferSize()) channel_.PrepareCallObjects();
}

bool CReducedAcpiWmi::PerformSmi(BiosCallBuffer& buffer, int extraBytes) {
    return channel_.PerformSmi(buffer, extraBytes);
}
