#pragma once
#include <windows.h>

// Keeps the brightness the user chose with the keys in the active power
// plan, for the power source in use, so Windows restores that brightness
// rather than the plan's old one.
class CBrightnessPowerPlan {
public:
    enum class Outcome {
        Written, // the value is in the plan and the plan applied again
        NoActivePlan, // the active plan cannot be read: nothing changed
        AccessDenied, // the plan may not be changed: it is only applied again
        WriteFailed, // the write failed: the plan is only applied again
    };

    // `percent` is clamped to 0..100.
    static Outcome Write(DWORD percent);
};
