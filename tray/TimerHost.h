#pragma once
#include <windows.h>

// The window whose timers the tray's features run on.
class ITimerHost {
public:
    virtual ~ITimerHost() = default;
    virtual void StartTimer(UINT_PTR id, UINT elapseMs) = 0;
    virtual void StopTimer(UINT_PTR id) = 0;
};
