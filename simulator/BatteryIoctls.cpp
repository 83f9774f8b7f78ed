#include "BatteryIoctls.h"

#include <winioctl.h>

#include <poclass.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cwchar>

#include "BatteryModel.h"

namespace sim {
namespace {

constexpr ULONG kCelsiusZeroInTenthKelvin = 2732;

template <typename T>
bool ReadInput(const void* input, DWORD inputBytes, T& value)
{
    if (!input || inputBytes < sizeof(T)) return false;
    std::memcpy(&value, input, sizeof(T));
    return true;
}

template <typename T>
DWORD WriteOutput(const T& value, void* output, DWORD outputBytes, DWORD& returned)
{
    if (!output || outputBytes < sizeof(T)) return ERROR_INSUFFICIENT_BUFFER;
    std::memcpy(output, &value, sizeof(T));
    returned = sizeof(T);
    return ERROR_SUCCESS;
}

DWORD WriteText(const wchar_t (&text)[kBatteryTextLength], void* output, DWORD outputBytes, DWORD& returned)
{
    const size_t length = wcsnlen(text, kBatteryTextLength);
    const DWORD needed = static_cast<DWORD>((length + 1) * sizeof(wchar_t));
    if (!output) return ERROR_INVALID_PARAMETER;
    if (outputBytes < needed) {
        std::memcpy(output, text, outputBytes & ~1u);
        returned = needed;
        return ERROR_MORE_DATA;
    }
    std::memcpy(output, text, length * sizeof(wchar_t));
    static_cast<wchar_t*>(output)[length] = L'\0';
    returned = needed;
    return ERROR_SUCCESS;
}

BATTERY_INFORMATION Information(const SimBattery& b)
{
    BATTERY_INFORMATION info{};
    info.Capabilities = BATTERY_SYSTEM_BATTERY;
    info.Technology = 1; // rechargeable
    std::memcpy(info.Chemistry, b.chemistry, sizeof info.Chemistry);
    info.DesignedCapacity = b.designCapacity;
    info.FullChargedCapacity = b.fullCapacity;
    info.DefaultAlert1 = b.fullCapacity / 10;
    info.DefaultAlert2 = b.fullCapacity / 20;
    info.CycleCount = b.cycleCount;
    return info;
}

DWORD QueryInformation(SimMachine& machine, const SimBattery& b, const BATTERY_QUERY_INFORMATION& query,
                       void* output, DWORD outputBytes, DWORD& returned)
{
    switch (query.InformationLevel) {
    case BatteryInformation:
        return WriteOutput(Information(b), output, outputBytes, returned);
    case BatteryTemperature:
        return WriteOutput(ULONG{kCelsiusZeroInTenthKelvin + 300}, output, outputBytes, returned);
    case BatteryEstimatedTime: {
        const bool carrying = !machine.power.acOnline && b.rate < 0;
        const ULONG seconds = carrying ? static_cast<ULONG>(b.remaining / -b.rate * 3600)
                                       : static_cast<ULONG>(BATTERY_UNKNOWN_TIME);
        return WriteOutput(seconds, output, outputBytes, returned);
    }
    case BatteryDeviceName:
        return WriteText(b.deviceName, output, outputBytes, returned);
    case BatteryManufactureName:
        return WriteText(b.manufacturer, output, outputBytes, returned);
    case BatteryUniqueID:
        return WriteText(b.uniqueId, output, outputBytes, returned);
    case BatterySerialNumber:
        return WriteText(b.serial, output, outputBytes, returned);
    default:
        return ERROR_INVALID_FUNCTION;
    }
}

BATTERY_STATUS Status(const SimMachine& machine, const SimBattery& b)
{
    BATTERY_STATUS status{};
    if (machine.power.acOnline) status.PowerState |= BATTERY_POWER_ON_LINE;
    if (b.rate > 0) status.PowerState |= BATTERY_CHARGING;
    if (b.rate < 0) status.PowerState |= BATTERY_DISCHARGING;
    if (BatteryPercent(b) < 5) status.PowerState |= BATTERY_CRITICAL;
    status.Capacity = static_cast<ULONG>(std::lround(std::max(0.0, b.remaining)));
    status.Voltage = b.voltage;
    status.Rate = b.rate;
    return status;
}

} // namespace

DWORD AnswerBatteryIoctl(SimMachine& machine, int slot, DWORD code, const void* input, DWORD inputBytes,
                         void* output, DWORD outputBytes, DWORD& returned)
{
    returned = 0;
    if (slot < 0 || slot >= kBatterySlots) return ERROR_INVALID_FUNCTION;
    AdvanceBatteries(machine, NowMs());
    const SimBattery& b = machine.batteries.slots[slot];
    if (!b.present) return ERROR_DEVICE_NOT_CONNECTED;
    switch (code) {
    case IOCTL_BATTERY_QUERY_TAG: {
        ULONG wait = 0;
        if (!ReadInput(input, inputBytes, wait)) return ERROR_INVALID_PARAMETER;
        return WriteOutput(ULONG{b.tag}, output, outputBytes, returned);
    }
    case IOCTL_BATTERY_QUERY_INFORMATION: {
        BATTERY_QUERY_INFORMATION query{};
        if (!ReadInput(input, inputBytes, query)) return ERROR_INVALID_PARAMETER;
        if (query.BatteryTag != b.tag) return ERROR_DEVICE_NOT_CONNECTED;
        return QueryInformation(machine, b, query, output, outputBytes, returned);
    }
    case IOCTL_BATTERY_QUERY_STATUS: {
        BATTERY_WAIT_STATUS wait{};
        if (!ReadInput(input, inputBytes, wait)) return ERROR_INVALID_PARAMETER;
        if (wait.BatteryTag != b.tag) return ERROR_DEVICE_NOT_CONNECTED;
        return WriteOutput(Status(machine, b), output, outputBytes, returned);
    }
    default:
        return ERROR_INVALID_FUNCTION;
    }
}

} // namespace sim
