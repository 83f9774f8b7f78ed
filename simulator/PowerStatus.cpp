#include "PowerStatus.h"

namespace sim {
namespace {

BYTE BatteryFlag(const SimPower& power)
{
    if (!power.batteryPresent) return 128;
    BYTE flag = 0;
    if (power.batteryPercent > 66) flag |= 1;
    if (power.batteryPercent < 33) flag |= 2;
    if (power.batteryPercent < 5) flag |= 4;
    if (power.charging) flag |= 8;
    return flag;
}

} // namespace

SYSTEM_POWER_STATUS PowerStatusOf(const SimPower& power)
{
    SYSTEM_POWER_STATUS status{};
    status.ACLineStatus = power.acOnline ? 1 : 0;
    status.BatteryFlag = BatteryFlag(power);
    status.BatteryLifePercent = power.batteryPresent ? power.batteryPercent : 255;
    status.BatteryLifeTime = power.batteryPresent ? static_cast<DWORD>(power.batteryLifeTime) : 0xFFFFFFFF;
    status.BatteryFullLifeTime
        = power.batteryPresent ? static_cast<DWORD>(power.batteryFullLifeTime) : 0xFFFFFFFF;
    return status;
}

} // namespace sim
