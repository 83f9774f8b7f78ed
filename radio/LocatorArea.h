#pragma once
#include <cstddef>
#include <cstdint>

// The network locator's configuration as the firmware keeps it: a fixed
// header, then the preferred networks packed back to back, each a flags byte,
// a length byte and that many SSID bytes. Little-endian, packed.
inline constexpr uint32_t kLocatorSignature = 0x46494E53; // the bytes "SNIF"
inline constexpr int kLocatorBitmapWords = 7;
inline constexpr int kMaxPreferredNetworks = 5;
inline constexpr size_t kMaxSsidLength = 32;
inline constexpr size_t kLocatorEntryHeaderSize = 2;

#pragma pack(push, 1)
struct LocatorArea {
    uint16_t areaLength; // used bytes: the header and the entries
    uint32_t signature;
    uint32_t adapterBitmap[kLocatorBitmapWords]; // bit n is bit (n mod 32) of word n / 32
    uint8_t searchMode; // 0 any available network, 1 preferred networks only
    uint8_t strengthFilter; // 0 weak or strong networks, 1 strong ones only
    uint8_t bands; // 0 2.4 GHz, 1 5 GHz, 2 both
    uint8_t preferredCount; // 0..5
    uint8_t entries[kMaxPreferredNetworks * (kLocatorEntryHeaderSize + kMaxSsidLength)];
};
#pragma pack(pop)

inline constexpr size_t kLocatorHeaderSize = offsetof(LocatorArea, entries);
// The most an area can use: the header and five entries with 32-byte names.
inline constexpr size_t kLocatorMaxUsed = sizeof(LocatorArea);

static_assert(offsetof(LocatorArea, areaLength) == 0);
static_assert(offsetof(LocatorArea, signature) == 2);
static_assert(offsetof(LocatorArea, adapterBitmap) == 6);
static_assert(offsetof(LocatorArea, searchMode) == 34);
static_assert(offsetof(LocatorArea, strengthFilter) == 35);
static_assert(offsetof(LocatorArea, bands) == 36);
static_assert(offsetof(LocatorArea, preferredCount) == 37);
static_assert(kLocatorHeaderSize == 38);
static_assert(kLocatorMaxUsed == 208);
