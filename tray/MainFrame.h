#pragma once
#include "AboutDlg.h"
#include "CapabilitySet.h"
#include "CompanionApp.h"
#include "DispatchTrace.h"
#include "DisplayFlags.h"
#include "FrameWnd.h"
#include "GdiplusSession.h"
#include "HotkeyDispatcher.h"
#include "KeyForwarder.h"
#include "KeyboardDll.h"
#include "OemKeyList.h"
#include "SessionWatch.h"
#include "TaskBar.h"
#include "TrayEntries.h"
#include "TrayEventRouter.h"
#include "UniqueHandle.h"

#include <memory>

class CAcpiWmi;
class CBiosEvent;

// The tray's hidden main window: every event of the program passes through
// it. Construction reads the configuration; WM_CREATE brings the services up
// and WM_CLOSE takes them down again in reverse. The hotkey dispatcher and
// the event router lead each event to one of its entry operations.
class CMainFrame : public CFrameWnd, public ITrayEntries {
public:
    static constexpr wchar_t kClassName[] = L"TavrinClass";
    static constexpr wchar_t kTitle[] = L"Tavrin";
    static constexpr UINT kTrayMessage = 0x0BD0;
    static constexpr UINT kClickDelayMs = 250;

    CMainFrame(CAcpiWmi& bios, const CCompanionApp& companion);
    ~CMainFrame() override;

    // The hidden, unowned top-level window.
    bool CreateHidden();

    // Facts the routing depends on.
    uint16_t SystemId() const override;
    bool IsCapability(int bit) const override { return m_capabilities.IsSet(bit); }
    int OsdStyle() const override { return m_osdStyle; }
    bool HasDisplayOffIndicator() const override;
    bool HasLaunchButtonExecutor() const override;
    bool IsAudioOutputMuted() const override;
    bool DisplaySwitchWindowExists() const override;
    bool IsDisplaySwitchFinal() const override;
    bool IsHibernatePending() const override;
    bool NeedsPostResumeAnnouncement() const override;

    void StartTimer(UINT_PTR id, UINT elapseMs) override;
    void StopTimer(UINT_PTR id) override;

    // Hotkeys and firmware events.
    void ShowLockKey(int indicator, bool fromBios) override;
    void ShowBrightness(int value, bool absolute) override;
    void BatteryButton() override;
    void ShowRadio(uint32_t status, uint32_t detail, bool fromBios) override;
    void Eject() override;
    void StartHibernate() override;
    void ShowDisplaySwitch(uint8_t proposed, uint8_t active, uint8_t attached, bool fromBios) override;
    void ShowDisplaySwitchPressed(uint16_t arg1, uint16_t arg2, uint16_t arg3, bool fromBios) override;
    void FinishDisplaySwitch() override;
    void CommitDisplaySwitch() override;
    void ShowKeyboardLight(int level, bool fromBios) override;
    void QueryBiosMessage() override;
    void ShowBiosMessage(uint16_t arg1, uint16_t arg2, uint32_t arg3) override;
    void RefreshBatteryHealth() override;
    void StartRadioConfiguration() override;
    void ShowAmbientLightSensor(int state, bool fromBios) override;
    void HideDisplaysForMute() override;
    void ShowVolumeDisplay() override;
    void UnmuteAudio() override;
    void StartWirelessDisplay() override;
    void ShowMessage(UINT stringId) override;
    bool RunLaunchButton() override;
    void BringLaunchManagerToFront() override;
    void SendDisplayOffIndicatorState() override;
    void ToggleDisplayOff() override;
    void OpenAudioPanel() override;
    void StartLaunchButtonManager() override;
    void DesktopModeAdviceCheck() override;
    void RecheckKeyboardBacklightSupport() override;

    // Messages from the suite's programs and the tray's own workers.
    void ToggleExtendedBatteryLife(bool on) override;
    void ToggleIntelligentDisplay(bool on) override;
    void StoreDesktopModeChoice(bool chosen, bool reminder) override;
    void ApplyDesktopMode() override;
    void FinishDeviceRescan() override;
    void ShowVolumeChange(WPARAM volume, LPARAM mute) override;
    void RebindAudioEndpoint() override;
    void ShowBrightnessPercent(int percent) override;
    void ShowAdvancedDisplayConfiguration() override;
    void Close() override;
    void AddTrayIcon() override;

    // Power notifications.
    void PowerSourceChanged() override;
    void RefreshBrightnessDisplay() override;
    void DesktopModeRefresh() override;
    void ScheduleDisplayOffIndicator(int monitorState) override;
    void SetExecutorMonitorState(int monitorState) override;
    void ClearPendingHibernate() override;
    void OfferForcedHibernate() override;
    void ResetLaunchButtonExecutor() override;
    void ReportVersionToBios(uint32_t arg4) override;
    void StartDelayedBiosMessageQuery() override;
    void CheckBatteryCharging() override;

    // Timer expiries.
    void TrayIconSingleClick() override;
    void PostResumeAnnouncement() override;
    void UpdateDisplayOffIndicator() override;
    void EblEvaluationTimer() override;
    void IntelligentDisplayTimer() override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    int OnCreate(const CREATESTRUCTW& create) override;
    void OnClose() override;
    void OnTimer(UINT_PTR id) override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    bool TakeSingleInstance();
    void ShowTrayIconNow();
    void OnTrayNotify(UINT mouseMessage);
    void OnSingleClick();
    void ShowHotkeyMenu();
    void ShowContextMenu();
    void FlipVolumeFlag();
    void OpenCompanion() const;
    void StartRadioSettings() const;
    // Shutdown steps that release services; each runs once per process.
    void ReleaseServices();

    // Declared first: GDI+ outlives everything that may draw.
    CGdiplusSession m_gdiplus;
    CAcpiWmi& m_bios;
    const CCompanionApp& m_companion;
    CCapabilitySet m_capabilities;
    int m_osdStyle = 2;
    int m_limitedUser = 0;
    DisplayFlags m_displayFlags;
    bool m_audioPresent = false;
    bool m_exitReport = true;
    bool m_servicesReleased = false;
    bool m_doubleClicked = false;
    UniqueHandle m_instanceMutex;
    CTaskBar m_taskBar;
    CSessionWatch m_session;
    COemKeyList m_oemKeys;
    CDispatchTrace m_trace;
    CKeyForwarder m_forwarder;
    CHotkeyDispatcher m_hotkeys;
    CTrayEventRouter m_router;
    CKeyboardDll m_keyboard;
    std::unique_ptr<CBiosEvent> m_biosEvent;
    UniqueMenu m_contextMenu;
    CAboutDlg m_about;
};
