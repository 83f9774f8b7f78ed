#pragma once
#include <cstdint>

// Receives each code parsed from a firmware event, on the thread that
// subscribed (the tray's main thread).
class IBiosEventTarget {
public:
    virtual ~IBiosEventTarget() = default;
    virtual void OnBiosEvent(uint16_t code, uint16_t arg1, uint16_t arg2, uint16_t arg3, uint16_t arg4) = 0;
};
