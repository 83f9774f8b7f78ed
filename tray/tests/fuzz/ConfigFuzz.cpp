// Fuzz target: the bytes of a Tavrin.cfg read for the companion's name.
#include "CompanionConfig.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view xml(reinterpret_cast<const char*>(data), size);
    const std::string name = companion_config::NameOf(xml);
    // A name comes only from a file that passed the size and markup limits.
    if (!name.empty() && !companion_config::IsPlausible(xml)) std::abort();
    if (name.size() > xml.size()) std::abort();
    return 0;
}
