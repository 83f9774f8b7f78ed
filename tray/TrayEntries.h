#pragma once
#include <windows.h>

#include <cstdint>

// The main window's operations that hotkeys, firmware events, messages from
// the suite's programs, power notifications and timers lead to. The
// dispatcher decides which entry runs and with what; each entry carries out
// its feature's own behaviour (hiding the other displays first, following
// ShowTrayIcon, broadcasting the change notices, and so on).
class ITrayEntries {
public:
    virtual ~ITrayEntries() = default;

    // Facts the routing depends on.
    virtual uint16_t SystemId() const = 0;
    virtual bool IsCapability(int bit) const = 0;   // the tray capability set
    virtual int OsdStyle() const = 0;               // 0..3; 3 is the newer visual family
    virtual uint64_t TickCount() const { return ::GetTickCount64(); }
    virtual bool IsInputDesktopAvailable() const
    {
        HDESK desktop = ::OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS);
        if (desktop == nullptr) return false;
        ::CloseDesktop(desktop);
        return true;
    }
    virtual bool HasDisplayOffIndicator() const = 0;
    virtual bool HasLaunchButtonExecutor() const = 0;
    virtual bool IsAudioOutputMuted() const = 0;        // as the audio callback last recorded
    virtual bool DisplaySwitchWindowExists() const = 0;
    virtual bool IsDisplaySwitchFinal() const = 0;      // the display reports its final state
    virtual bool IsHibernatePending() const = 0;
    // Zerovazazar Oduzizi supported and enabled, or Extended Battery Life available and on.
    virtual bool NeedsPostResumeAnnouncement() const = 0;

    // The main window's timers.
    virtual void StartTimer(UINT_PTR id, UINT elapseMs) = 0;
    virtual void StopTimer(UINT_PTR id) = 0;

    // Hotkeys and firmware events. fromBios tells the firmware's report of a
    // key from the key itself; a key passes no values and the entry reads
    // the current state from the firmware where it needs it.
    virtual void ShowLockKey(int indicator, bool fromBios) = 0;
    // absolute: value is the level; otherwise the step (-1 or +1) from the current level.
    virtual void ShowBrightness(int value, bool absolute) = 0;
    virtual void BatteryButton() = 0;
    virtual void ShowRadio(uint32_t status, uint32_t detail, bool fromBios) = 0;
    virtual void Eject() = 0;
    virtual void StartHibernate() = 0;
    virtual void ShowDisplaySwitch(uint8_t proposed, uint8_t active, uint8_t attached,
                                   bool fromBios) = 0;
    virtual void ShowDisplaySwitchPressed(uint16_t arg1, uint16_t arg2, uint16_t arg3,
                                          bool fromBios) = 0;
    virtual void FinishDisplaySwitch() = 0;
    virtual void CommitDisplaySwitch() = 0;
    // From a key: the next level. From the firmware: the given level.
    virtual void ShowKeyboardLight(int level, bool fromBios) = 0;
    virtual void QueryBiosMessage() = 0;
    virtual void ShowBiosMessage(uint16_t arg1, uint16_t arg2, uint32_t arg3) = 0;
    // Battery-health re-check and refresh of an open battery meter.
    virtual void RefreshBatteryHealth() = 0;
    virtual void StartRadioConfiguration() = 0;
    virtual void ShowAmbientLightSensor(int state, bool fromBios) = 0;
    // When the volume display is enabled: hide the other displays.
    virtual void HideDisplaysForMute() = 0;
    // When audio is present and the volume display enabled.
    virtual void ShowVolumeDisplay() = 0;
    virtual void UnmuteAudio() = 0;
    virtual void StartWirelessDisplay() = 0;
    // A box captioned "Tavrin" with the numbered text.
    virtual void ShowMessage(UINT stringId) = 0;
    // Carries out the launch button's function; true when that started the manager.
    virtual bool RunLaunchButton() = 0;
    virtual void BringLaunchManagerToFront() = 0;
    virtual void SendDisplayOffIndicatorState() = 0;
    virtual void ToggleDisplayOff() = 0;
    virtual void OpenAudioPanel() = 0;
    virtual void StartLaunchButtonManager() = 0;
    virtual void DesktopModeAdviceCheck() = 0;
    virtual void RecheckKeyboardBacklightSupport() = 0;

    // Messages from the suite's programs and the tray's own workers.
    virtual void ToggleExtendedBatteryLife(bool on) = 0;
    virtual void ToggleIntelligentDisplay(bool on) = 0;
    virtual void StoreDesktopModeChoice(bool chosen, bool reminder) = 0;
    virtual void ApplyDesktopMode() = 0;
    virtual void FinishDeviceRescan() = 0;
    virtual void ShowVolumeChange(WPARAM volume, LPARAM mute) = 0;
    virtual void RebindAudioEndpoint() = 0;
    virtual void ShowBrightnessPercent(int percent) = 0;
    virtual void ShowAdvancedDisplayConfiguration() = 0;
    virtual void Close() = 0;
    virtual void AddTrayIcon() = 0;

    // Power notifications.
    // Extended Battery Life and Zerovazazar Oduzizi follow the power source,
    // with the charging notice on AC in the classic styles.
    virtual void PowerSourceChanged() = 0;
    virtual void RefreshBrightnessDisplay() = 0;
    virtual void DesktopModeRefresh() = 0;
    virtual void ScheduleDisplayOffIndicator(int monitorState) = 0;
    virtual void SetExecutorMonitorState(int monitorState) = 0;
    virtual void ClearPendingHibernate() = 0;
    virtual void OfferForcedHibernate() = 0;
    virtual void ResetLaunchButtonExecutor() = 0;
    virtual void ReportVersionToBios(uint32_t arg4) = 0;
    // A worker that waits 30 s, then queries the firmware's message as for 0xE00D.
    virtual void StartDelayedBiosMessageQuery() = 0;
    virtual void CheckBatteryCharging() = 0;

    // Timer expiries.
    virtual void TrayIconSingleClick() = 0;
    virtual void PostResumeAnnouncement() = 0;
    virtual void UpdateDisplayOffIndicator() = 0;
    virtual void EblEvaluationTimer() = 0;
    virtual void IntelligentDisplayTimer() = 0;
};
