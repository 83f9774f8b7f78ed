#include "BatteryClass.h"

#include "BatteryCalls.h"
#include "BiosCalls.h"

namespace {

constexpr int kMostMinutes = 240;
constexpr int kNearlyFull = 99;
constexpr uint32_t kCurrentNegativeFrom = 0x7FFF; // the register is 16-bit signed

bool Call(IBiosCalls& bios, BiosCallBuffer& buffer, uint16_t cbClass, int batteryNumber, uint32_t arg1)
{
    return bios.PerformSmi(buffer, cbClass, static_cast<uint16_t>(batteryNumber), arg1, 0, 0, 0)
           && buffer.cbRes1 == 0;
}

} // namespace

void CBatteryClass::Update(int batteryNumber)
{
    using namespace battery_calls;
    m_batteryNumber = batteryNumber;
    BiosCallBuffer status;
    if (!Call(m_bios, status, kStatusClass, batteryNumber, 0) || (status.cbRes3 & kAbsent) != 0) {
        m_present = 0;
        return;
    }
    m_present = 1;
    m_percent = static_cast<int>(status.cbRes3 & kPercentMask);
    const bool charging = (status.cbRes2 & kChargingBits) != 0;

    BiosCallBuffer current;
    int direction = 0;
    if (Call(m_bios, current, kSmartBatteryClass, batteryNumber, kRegisterCurrent) && current.cbRes2 != 0) {
        direction = current.cbRes2 < kCurrentNegativeFrom ? 1 : -1;
    }

    if (charging && m_percent < kNearlyFull) {
        m_status = 1;
    } else {
        m_status = direction == -1 ? 2 : 0;
    }
    if (m_status != 1) return;
    BiosCallBuffer timeToFull;
    if (Call(m_bios, timeToFull, kSmartBatteryClass, batteryNumber, kRegisterAverageTimeToFull)) {
        m_minutesToFull = timeToFull.cbRes2 > kMostMinutes ? 0 : static_cast<int>(timeToFull.cbRes2);
    }
}

int CBatteryClass::DoSmi(int batteryNumber, int& permanentFailure)
{
    using namespace battery_calls;
    constexpr int kNoHealth = -1;
    constexpr int kHighestReportedIndex = 4;
    if (batteryNumber <= 0) batteryNumber = kPrimary;
    BiosCallBuffer buffer;
    if (!Call(m_bios, buffer, kStatusClass, batteryNumber, 0) || (buffer.cbRes2 & kHealthSupported) == 0) {
        permanentFailure = 0;
        return kNoHealth;
    }
    const uint32_t failure = buffer.cbRes2 >> kFailureShift;
    switch (failure) {
    case 0: {
        permanentFailure = 0;
        const uint32_t index = (buffer.cbRes3 >> kHealthIndexShift) & 0xFF;
        const bool reported = (buffer.cbRes2 & kHealthIndexPresent) != 0 && index <= kHighestReportedIndex;
        return reported ? static_cast<int>(index) : kNoHealth;
    }
    case 5:
        return 5; // no communication with the pack
    case 6:
        return 6; // the pack cannot be identified
    default:
        permanentFailure = 1;
        return 0;
    }
}
