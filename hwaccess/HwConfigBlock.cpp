#include "HwConfigBlock.h"

void HwConfigBlock::SetBit(int bit)
{
    if (bit < 0 || bit >= kHwConfigFeatureCount) return;
    featureBitmap[bit / 8] |= static_cast<uint8_t>(1u << (bit % 8));
}

bool TestFeatureBit(const uint8_t (&bitmap)[kHwConfigBitmapBytes], int bit)
{
    if (bit < 0 || bit >= kHwConfigFeatureCount) return false;
    return (bitmap[bit / 8] >> (bit % 8)) & 1u;
}
