#pragma once
#include <cstddef>
#include <cstdint>

#include "LocatorArea.h"

// The locator's settings as plain values, read out of or written into an
// area image. Nothing here needs Windows: bytes in, values out.
struct PreferredNetwork {
    uint8_t flags = 0;
    uint8_t length = 0; // 0..32
    uint8_t ssid[kMaxSsidLength] = {}; // raw bytes, not terminated
};

struct LocatorCriteria {
    uint16_t areaLength = 0;
    uint32_t signature = 0;
    uint32_t adapterBitmap[kLocatorBitmapWords] = {};
    uint8_t searchMode = 0;
    uint8_t strengthFilter = 0;
    uint8_t bands = 0;
    uint8_t preferredCount = 0;
    PreferredNetwork preferred[kMaxPreferredNetworks];
};

// Reads an area image of `size` bytes. Every read stays inside it: header
// fields beyond the end read as 0, and an entry whose length byte or name
// bytes would lie beyond the end reads as empty, as do the entries after it.
// Out-of-range choices read as 0 (search mode above 1, strength filter above
// 1, bands above 2, a count above 5); a length byte above 32 gives an empty
// entry, and the next entry then starts two bytes further on.
LocatorCriteria ParseLocatorArea(const uint8_t* area, size_t size);

// Writes the image of the criteria (signature "SNIF", the first
// min(preferredCount, 5) entries, which is also the count written) into the
// `size` bytes at `area`, and returns the length of the whole image, which is
// also written at offset 0. Bytes of the image beyond `size` are not written:
// a result above `size` means the area could not hold it.
size_t BuildLocatorArea(const LocatorCriteria& criteria, uint8_t* area, size_t size);
