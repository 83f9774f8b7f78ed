// Fuzz target: the data of one firmware event, single or list.
#include "BiosEventParser.h"
#include "OemKeyTable.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto codes = ParseBiosEvent(std::span<const uint8_t>(data, size));
    // A record holds at most 62 words after its header, each code one of them.
    if (codes.size() > kBiosEventRecordBytes / 2) std::abort();
    for (const BiosEventCode& event : codes)
        if (std::find(kOemKeyCodes.begin(), kOemKeyCodes.end(), event.code) == kOemKeyCodes.end())
            std::abort();
    return 0;
}
