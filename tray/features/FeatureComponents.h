#pragma once
#include "LaunchButtonExecutor.h"

#include <cstdint>
#include <string>
#include <windows.h>

// The parts of features that come with their displays and workers. Until a
// part exists the feature is given none, and its facts read as absent.

// The display-switch display.
class IDisplaySwitchOsd {
public:
    virtual ~IDisplaySwitchOsd() = default;
    virtual bool IsOpen() const = 0;
    // The display reports its final state: the choice is committed at once.
    virtual bool IsFinal() const = 0;
};

// The watch over the default audio endpoint, which posts the volume changes
// the volume display shows.
class IAudioEndpoint {
public:
    virtual ~IAudioEndpoint() = default;
    // Binds to the endpoint; its notices go to the window.
    virtual void Start(HWND window) = 0;
    virtual void Stop() = 0;
    // As the callback last recorded it.
    virtual bool IsMuted() const = 0;
    virtual void SetOsdEnabled(bool enabled) = 0;
    // A volume key: at the ends of the range Windows sends no notice.
    virtual void PostCurrentVolume() = 0;
    virtual void UnmuteAndPostVolume() = 0;
    // The default render endpoint changed.
    virtual void Rebind() = 0;
};

// The hibernate worker.
class IHibernateWorker {
public:
    virtual ~IHibernateWorker() = default;
    // A hibernation was requested and has not returned.
    virtual bool IsPending() const = 0;
    // Starts the hibernate thread, unless one runs.
    virtual void Start() = 0;
    virtual void ClearPending() = 0;
    // A driver vetoed the pending hibernation: asks whether to force it.
    virtual void OfferForced(HWND owner) = 0;
};

// Extended Battery Life and Zerovazazar Oduzizi.
class IBatterySavingState {
public:
    virtual ~IBatterySavingState() = default;
    virtual bool NeedsPostResumeAnnouncement() const = 0;
};

// The boxes of the adapter, battery and dock alerts and of the firmware's
// numbered messages.
enum class AlertBox { Adapter, Battery, Dock, Numbered };

class IAlertBoxes {
public:
    virtual ~IAlertBoxes() = default;
    // Adapter and battery boxes show without waiting; false when the same text
    // of that family is on screen and was dropped. Dock and numbered boxes
    // return once they are closed.
    virtual bool Show(AlertBox box, const std::wstring& text) = 0;
};

// The battery-health re-check with its pop-up (the health record and the
// warning dialog).
class IBatteryHealthCheck {
public:
    virtual ~IBatteryHealthCheck() = default;
    // Re-reads both batteries' health and shows the warning when it is due.
    virtual void RecheckAndWarn() = 0;
    // Shows the warning for the healths last read, when it is due.
    virtual void ShowHealthWarning() = 0;
};

// The notice that the firmware holds battery charging off.
class IChargingNotice {
public:
    virtual ~IChargingNotice() = default;
    // Asks the firmware and shows the notice when charging is held off.
    virtual void CheckAndShow() = 0;
    virtual void Hide() = 0;
};
