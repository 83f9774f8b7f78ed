#pragma once
#include <cstddef>
#include <cstdint>

// The hardware-configuration block shared by every program of a logon
// session: a 512-bit feature bitmap and per-model values. Packed, fixed.
inline constexpr wchar_t kHwConfigBlockName[] = L"HWCONFIG_SHARED_MEM_OBJ";
inline constexpr int kHwConfigFeatureCount = 512;

inline constexpr int kHwConfigBitmapBytes = kHwConfigFeatureCount / 8;

// Bit n of the bitmap is bit (n mod 32) of the little-endian u32 at byte
// 4 * (n / 32), which is bit (n mod 8) of byte n / 8. Bits outside 0..511
// read as clear.
bool TestFeatureBit(const uint8_t (&bitmap)[kHwConfigBitmapBytes], int bit);

#pragma pack(push, 1)
// One per-model value with room the block keeps for it.
struct HwConfigSlot {
    uint32_t value;
    uint8_t unused[140];
};

struct HwConfigBlock {
    uint8_t featureBitmap[kHwConfigBitmapBytes];
    uint8_t unused40[8];
    HwConfigSlot slots[8];
    uint8_t unused1224[8];

    void SetBit(int bit); // ignored outside 0..511
    bool TestBit(int bit) const { return TestFeatureBit(featureBitmap, bit); }
};
#pragma pack(pop)

static_assert(sizeof(HwConfigSlot) == 144);
static_assert(sizeof(HwConfigBlock) == 1232);
static_assert(offsetof(HwConfigBlock, featureBitmap) == 0);
static_assert(offsetof(HwConfigBlock, slots) == 72);
static_assert(offsetof(HwConfigBlock, slots) + 1 * sizeof(HwConfigSlot) == 216);
static_assert(offsetof(HwConfigBlock, slots) + 2 * sizeof(HwConfigSlot) == 360);

// The feature bits the suite fills in.
namespace hwfeature {
inline constexpr int kFilled = 10;
inline constexpr int kRadioStatus = 12; // radio status call answered
inline constexpr int kRadioStatusFirst = 13; // 13..18: radio status result bits 0..5
inline constexpr int kRadioSwitch = 13;
inline constexpr int kNetworkLocator = 14;
inline constexpr int kCapability1 = 23;
inline constexpr int kCapability2 = 24;
inline constexpr int kKeyboardLightSingle = 25;
inline constexpr int kKeyboardLight = 26;
inline constexpr int kMakerBios = 30;
inline constexpr int kMakerSystem = 31;
inline constexpr int kModel503 = 32;
inline constexpr int kVolumeDisplay = 34;
inline constexpr int kLaunchButton = 36;
} // namespace hwfeature
