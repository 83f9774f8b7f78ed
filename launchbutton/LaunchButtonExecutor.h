#pragma once
#include <windows.h>

// What the tray asks of the launch-button executor.
class ILaunchButtonExecutor {
public:
    virtual ~ILaunchButtonExecutor() = default;
    // Carries out the assigned function; false when it could not be done.
    virtual bool Execute() = 0;
    // Whether the last Execute started the manager.
    virtual bool ManagerStarted() const = 0;
    // The display-off button: switches the display off, or on again.
    virtual void ToggleDisplay() = 0;
    // 1 on, 0 off, as last recorded.
    virtual int MonitorState() const = 0;
    // A monitor-power notice; states other than 0 and 1 are ignored.
    virtual void SetMonitorState(int state) = 0;
    // After a resume: presses act again.
    virtual void ResetSuspend() = 0;
    // Registers the window for the monitor-power notices.
    virtual void Attach(HWND window) = 0;
};
