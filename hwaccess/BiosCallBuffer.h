#pragma once
#include <cstddef>
#include <cstdint>

// One BIOS call as it travels to the firmware's DoBFn method and back.
// Little-endian, packed; the first 44 bytes travel, the byte at 0x2C never does.
#pragma pack(push, 1)
struct BiosCallBuffer {
    uint16_t cbClass = 0;
    uint16_t cbSelect = 0;
    uint32_t cbArg1 = 0;
    uint32_t cbArg2 = 0;
    uint32_t cbArg3 = 0;
    uint32_t cbArg4 = 0;
    int32_t cbRes1 = 0;
    uint32_t cbRes2 = 0;
    uint32_t cbRes3 = 0;
    uint32_t cbRes4 = 0;
    uint8_t reserved[8] = {};
    uint8_t reserved2C = 0;
};
#pragma pack(pop)

inline constexpr std::size_t kBiosCallWireSize = 44;
inline constexpr int32_t kBiosNoAnswer = -3;

static_assert(sizeof(BiosCallBuffer) == 45);
static_assert(offsetof(BiosCallBuffer, cbClass) == 0x00);
static_assert(offsetof(BiosCallBuffer, cbSelect) == 0x02);
static_assert(offsetof(BiosCallBuffer, cbArg1) == 0x04);
static_assert(offsetof(BiosCallBuffer, cbArg2) == 0x08);
static_assert(offsetof(BiosCallBuffer, cbArg3) == 0x0C);
static_assert(offsetof(BiosCallBuffer, cbArg4) == 0x10);
static_assert(offsetof(BiosCallBuffer, cbRes1) == 0x14);
static_assert(offsetof(BiosCallBuffer, cbRes2) == 0x18);
static_assert(offsetof(BiosCallBuffer, cbRes3) == 0x1C);
static_assert(offsetof(BiosCallBuffer, cbRes4) == 0x20);
static_assert(offsetof(BiosCallBuffer, reserved) == 0x24);
static_assert(offsetof(BiosCallBuffer, reserved2C) == kBiosCallWireSize);
