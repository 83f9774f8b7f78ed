#include "TotalCharge.h"

#include "PlatformSeams.h"

int TotalCharge()
{
    constexpr int kNoValue = 255;
    SYSTEM_POWER_STATUS status{};
    if (!seams::GetPowerStatus(&status)) return kNoValue;
    return status.BatteryLifePercent;
}
