#pragma once
#include <cstdint>

// The firmware's radio-control function: class 0x11, select 0x0B, with the
// sub-function in byte 0 of cbArg1; and the older radio-state call.
namespace radiocall {
inline constexpr uint16_t kClass = 0x0011;
inline constexpr uint16_t kSelect = 0x000B;
inline constexpr uint16_t kLegacySelect = 0x0002;

inline constexpr uint32_t kStatus = 0x00; // cbRes2 status, cbRes3 area size, cbRes4 area format
inline constexpr uint32_t kDisable = 0x01; // | radio << 8 | disable << 16
inline constexpr uint32_t kSwitchConfig = 0x02; // | 1 << 8 to set, with the bits << 16
inline constexpr uint32_t kSwitchConfigSet = 0x0100;
inline constexpr uint32_t kAreaRead = 0x10; // | offset << 8
inline constexpr uint32_t kAreaWrite = 0x11; // | offset << 8, bytes in cbArg2..cbArg4
inline constexpr uint32_t kAreaLoad = 0x12;
inline constexpr uint32_t kAreaCommit = 0x13;

inline constexpr uint32_t kLegacyGet = 0x00;
inline constexpr uint32_t kLegacySet = 0x01; // | on << 8
inline constexpr int32_t kLegacyUnsupported = -2;

inline constexpr uint32_t kAreaChunkBytes = 12;
} // namespace radiocall
