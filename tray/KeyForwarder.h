#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>

// The key reader's rule for which OEM keys go on to the main window. The
// hibernate key and the battery-meter key each pass once and then not again
// until the work they started has finished and cleared their guard, so a
// repeated press while that work runs disappears. Safe to use from the key
// reader, the main thread and workers at once.
class CKeyForwarder {
public:
    // true when the key is to be posted to the main window.
    bool TakeKey(uint16_t scanCode, bool extended);

    // When the hibernate worker has finished.
    void ClearHibernateGuard() { m_hibernateGuard = false; }
    // When the battery-meter refresh has run.
    void ClearBatteryMeterGuard() { m_batteryMeterGuard = false; }

private:
    std::atomic<bool> m_hibernateGuard{false};
    std::atomic<bool> m_batteryMeterGuard{false};
};
