#include "AcpiWmi.h"

#include "PlatformSeams.h"
#include "TokenOperations.h"

std::unique_ptr<CAcpiWmi> g_pAcpiWmi;

namespace {

bool IsOnAcPower()
{
    SYSTEM_POWER_STATUS status{};
    return seams::GetPowerStatus(&status) && status.ACLineStatus == 1;
}

} // namespace

CAcpiWmi::CAcpiWmi()
{
    if (!m_channel.Connect()) return;
    const bool tablesRead
        = m_channel.ReadSmbiosTables([this](size_t length, const uint8_t* data) { Parse(length, data); });
    if (tablesRead) m_smbiosUnavailable = 0;
    if (!m_channel.ReadDataBufferSize() || !m_channel.PrepareCallObjects()) return;
    m_hwConfig = std::make_unique<CHwConfig>(*this, *this);
}

CAcpiWmi::~CAcpiWmi()
{
    m_channel.ReleaseWmiObjects();
    m_hwConfig.reset();
}

bool CAcpiWmi::PerformSmi(BiosCallBuffer& buffer, int extraBytes)
{
    return m_channel.PerformSmi(buffer, extraBytes);
}

CTokenOperations CAcpiWmi::TokenOperations()
{
    return CTokenOperations(*this, *this, IsOnAcPower);
}

uint16_t CAcpiWmi::TokenRead(uint16_t identifier)
{
    return TokenOperations().Read(identifier);
}

bool CAcpiWmi::TokenReadAll(uint16_t identifier, uint16_t* v1, uint16_t* v2, uint16_t* v3)
{
    return TokenOperations().ReadAll(identifier, v1, v2, v3);
}

bool CAcpiWmi::TokenIsActive(uint16_t identifier)
{
    return TokenOperations().IsActive(identifier);
}

bool CAcpiWmi::TokenActivate(uint16_t identifier, int powerSource)
{
    return TokenOperations().Activate(identifier, powerSource);
}

bool CAcpiWmi::IsFeature(int bit) const
{
    return m_hwConfig && m_hwConfig->IsFeature(bit);
}
