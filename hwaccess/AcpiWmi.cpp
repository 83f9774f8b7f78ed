#include "AcpiWmi.h"

#include "PlatformSeams.h"
#include "TokenOperations.h"

CAcpiWmi* g_pAcpiWmi = nullptr;

namespace {

bool IsOnAcPower() {
    SYSTEM_POWER_STATUS status{};
    return seams::GetPowerStatus(&status) && status.ACLineStatus == 1;
}

} // namespace

CAcpiWmi::CAcpiWmi() {
    if (!channel_.Connect()) return;
    const bool tablesRead = channel_.ReadSmbiosTables(
        [this](size_t length, const uint8_t* data) { Parse(length, data); });
    if (tablesRead) smbiosUnavailable_ = 0;
    if (!channel_.ReadDataBufferSize() || !channel_.PrepareCallObjects()) return;
    hwConfig_ = std::make_unique<CHwConfig>(*this, *this);
}

CAcpiWmi::~CAcpiWmi() {
    channel_.ReleaseWmiObjects();
    hwConfig_.reset();
}

bool CAcpiWmi::PerformSmi(BiosCallBuffer& buffer, int extraBytes) {
    return channel_.PerformSmi(buffer, extraBytes);
}

uint16_t CAcpiWmi::TokenRead(uint16_t identifier) {
    return CTokenOperations(*this, *this, IsOnAcPower).Read(identifier);
}

bool CAcpiWmi::TokenReadAll(uint16_t identifier, uint16_t* v1, uint16_t* v2, uint16_t* v3) {
    return CTokenOperations(*this, *this, IsOnAcPower).ReadAll(identifier, v1, v2, v3);
}

bool CAcpiWmi::TokenIsActive(uint16_t identifier) {
    return CTokenOperations(*this, *this, IsOnAcPower).IsActive(identifier);
}

bool CAcpiWmi::TokenActivate(uint16_t identifier, int powerSource) {
    return CTokenOperations(*this, *this, IsOnAcPower).Activate(identifier, powerSource);
}

bool CAcpiWmi::IsFeature(int bit) const { return hwConfig_ && hwConfig_->IsFeature(bit); }
