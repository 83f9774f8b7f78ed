#pragma once
#include <windows.h>

#include <string>

// The narrow faces features show one another, handed over at construction
// by the feature list. Each belongs to the feature that implements it.

// A display or dialog that the tray icon's Exit closes before the window goes.
class IExitDismissal {
public:
    virtual ~IExitDismissal() = default;
    virtual void HideForExit() = 0;
};

// The brightness display, refreshed after the power source changed.
class IBrightnessRefresh {
public:
    virtual ~IBrightnessRefresh() = default;
    virtual void RefreshBrightnessDisplay() = 0;
};

// Whether the tray has an audio object (the volume switch of the tray menu depends on it).
class IAudioPresence {
public:
    virtual ~IAudioPresence() = default;
    virtual bool IsAudioPresent() const = 0;
    // The tray menu's volume-display switch, which the audio object follows.
    virtual void SetVolumeDisplayEnabled(bool enabled) = 0;
};

// Extended Battery Life and Zerovazazar Oduzizi, as the power events and the
// tray menu need them.
class IBatterySaving {
public:
    virtual ~IBatterySaving() = default;
    // Both follow the power source, with the charging notice on AC in the classic styles.
    virtual void PowerSourceChanged() = 0;
    // Zerovazazar Oduzizi supported and enabled, or Extended Battery Life available and on.
    virtual bool NeedsPostResumeAnnouncement() const = 0;
    // The context menu's Extended Battery Life command.
    virtual void KeyAction() = 0;
};

// The battery alerts, as the power events need them.
class IBatteryAlerts {
public:
    virtual ~IBatteryAlerts() = default;
    // A worker that waits, then queries the firmware's message as for 0xE00D.
    virtual void StartDelayedBiosMessageQuery() = 0;
    // Battery-health re-check and refresh of an open battery meter.
    virtual void RefreshBatteryMeter() = 0;
    virtual void CheckBatteryCharging() = 0;
};

// Starts the battery meter (arguments such as "P H": its health page for the
// primary battery) and brings an open meter to the front. A meter that
// cannot be started is not reported to the user.
class IBatteryMeterLauncher {
public:
    virtual ~IBatteryMeterLauncher() = default;
    // true when the program was started.
    virtual bool LaunchBatteryMeter(const std::wstring& arguments) = 0;
};

class IDesktopMode {
public:
    virtual ~IDesktopMode() = default;
    virtual void DesktopModeRefresh() = 0;
};

class IHibernate {
public:
    virtual ~IHibernate() = default;
    virtual void ClearPendingHibernate() = 0;
};

// The launch button, as suspend and resume need it.
class ILaunchButton {
public:
    virtual ~ILaunchButton() = default;
    virtual void ResetLaunchButtonExecutor() = 0;
    // Suspending: the display-off indicator, where there is one, shows the monitor as on.
    virtual void Suspending() = 0;
};

// Set between suspend and resume.
class CSuspendState {
public:
    bool IsSuspended() const { return m_suspended; }
    void Set(bool suspended) { m_suspended = suspended; }

private:
    bool m_suspended = false;
};
