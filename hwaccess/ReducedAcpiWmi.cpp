#include "ReducedAcpiWmi.h"

CReducedAcpiWmi::CReducedAcpiWmi()
{
    if (!m_channel.Connect()) return;
    m_channel.ReadSmbiosTables([this](size_t length, const uint8_t* data) { Parse(length, data); });
    if (m_channel.ReadDataBufferSize()) m_channel.PrepareCallObjects();
}

bool CReducedAcpiWmi::PerformSmi(BiosCallBuffer& buffer, int extraBytes)
{
    return m_channel.PerformSmi(buffer, extraBytes);
}
