#pragma once
#include <windows.h>

// The battery meter sheet's timers.
enum class MeterTimer : UINT_PTR {
    Refresh = 1, // every 5 s: the dock battery and the status page
};

inline constexpr UINT kMeterRefreshMs = 5000;
