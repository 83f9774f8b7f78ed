#include "PowerNotice.h"

#include <cstddef>
#include <cstdint>

namespace {

bool IsReadableMemory(const void* start, size_t bytes)
{
    MEMORY_BASIC_INFORMATION region{};
    if (start == nullptr || ::VirtualQuery(start, &region, sizeof region) == 0) return false;
    constexpr DWORD kReadable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ
                                | PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    if (region.State != MEM_COMMIT || (region.Protect & kReadable) == 0 || (region.Protect & PAGE_GUARD) != 0)
        return false;
    const auto first = reinterpret_cast<uintptr_t>(start);
    const auto regionEnd = reinterpret_cast<uintptr_t>(region.BaseAddress) + region.RegionSize;
    return bytes <= regionEnd - first;
}

} // namespace

namespace power_notice {

bool IsUntrusted(WPARAM event, LPARAM record, DWORD sendState)
{
    if (event != PBT_POWERSETTINGCHANGE) return false;
    if (sendState == ISMEX_NOSEND) return true;
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(record);
    constexpr size_t kHeader = offsetof(POWERBROADCAST_SETTING, Data);
    if (!IsReadableMemory(setting, kHeader)) return true;
    return !IsReadableMemory(setting, kHeader + setting->DataLength);
}

} // namespace power_notice
