// Fuzz target: a locator area as the firmware hands it over, of any size.
#include "LocatorAreaWalker.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const LocatorCriteria read = ParseLocatorArea(data, size);
    if (read.searchMode > 1 || read.strengthFilter > 1 || read.bands > 2 || read.preferredCount > 5)
        std::abort();
    for (const PreferredNetwork& entry : read.preferred) {
        if (entry.length > kMaxSsidLength) std::abort();
    }

    // Built again into an area of the same size: never more than the most an
    // area uses, and what fitted reads back as the same criteria.
    std::vector<uint8_t> area(size);
    const size_t length = BuildLocatorArea(read, area.data(), area.size());
    if (length > kLocatorMaxUsed) std::abort();
    if (length > size) return 0;
    const LocatorCriteria back = ParseLocatorArea(area.data(), area.size());
    if (back.preferredCount != read.preferredCount || back.bands != read.bands
        || std::memcmp(back.adapterBitmap, read.adapterBitmap, sizeof read.adapterBitmap) != 0) {
        std::abort();
    }
    for (int i = 0; i < read.preferredCount; ++i) {
        const PreferredNetwork& a = read.preferred[i];
        const PreferredNetwork& b = back.preferred[i];
        if (a.flags != b.flags || a.length != b.length || std::memcmp(a.ssid, b.ssid, a.length) != 0)
            std::abort();
    }
    return 0;
}
