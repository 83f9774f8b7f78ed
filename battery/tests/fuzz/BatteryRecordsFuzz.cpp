// Fuzz target: whatever bytes a battery I/O control returned, read as each
// of its records and as a text.
#include "BatteryRecords.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace battery_records;
    if (ParseTag(data, size).has_value() != (size >= 4)) std::abort();
    if (ParseStatus(data, size).has_value() != (size >= sizeof(Status))) std::abort();
    const auto info = ParseInformation(data, size);
    if (info.has_value() != (size >= sizeof(Information))) std::abort();
    if (info && ChemistryText(info->chemistry).size() > 4) std::abort();
    if (ParseText(data, size).size() > size / 2) std::abort();
    return 0;
}
