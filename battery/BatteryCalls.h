#pragma once
#include <cstdint>

// The firmware's battery calls: their classes, selectors and answer bits.
namespace battery_calls {

inline constexpr uint16_t kStatusClass = 0x08; // select: the battery number
inline constexpr uint16_t kSmartBatteryClass = 0x1E; // select: the battery number
inline constexpr uint32_t kRegisterCurrent = 0x0A;
inline constexpr uint32_t kRegisterAverageTimeToFull = 0x13;
inline constexpr uint16_t kChargeControlClass = 0x04;
inline constexpr uint16_t kChargeControlSelect = 0x0C;

// cbRes2 of the status call.
inline constexpr uint32_t kChargingBits = 0x3;
inline constexpr uint32_t kHealthIndexPresent = 1u << 16;
inline constexpr uint32_t kHealthSupported = 1u << 17;
inline constexpr unsigned kFailureShift = 24;
// cbRes3 of the status call.
inline constexpr uint32_t kPercentMask = 0xFF;
inline constexpr uint32_t kAbsent = 1u << 12;
inline constexpr unsigned kHealthIndexShift = 16;

// cbRes2 of the charge-control read.
inline constexpr uint32_t kChargeDisableSupported = 1u << 1;
inline constexpr uint32_t kChargingDisabled = 1u << 9;

} // namespace battery_calls
