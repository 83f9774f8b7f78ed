#include "KeyForwarder.h"

namespace {

constexpr uint16_t kHibernateScan = 0x0A;
constexpr uint16_t kBatteryMeterScan = 0x0E;

// Passes when the guard was clear, and sets it.
bool PassOnce(std::atomic<bool>& guard)
{
    return !guard.exchange(true);
}

} // namespace

bool CKeyForwarder::TakeKey(uint16_t scanCode, bool extended)
{
    if (extended && scanCode == kHibernateScan) return PassOnce(m_hibernateGuard);
    if (extended && scanCode == kBatteryMeterScan) return PassOnce(m_batteryMeterGuard);
    return true;
}
