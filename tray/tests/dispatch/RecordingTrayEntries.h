#pragma once
#include "TrayEntries.h"

#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

// Records every entry the dispatcher runs as "Name(arg,...)", in order;
// the queries answer from plain fields.
class RecordingTrayEntries : public ITrayEntries {
public:
    uint16_t systemId = 500;
    std::set<int> capabilities;
    int osdStyle = 2;
    uint64_t now = 100000;
    bool inputDesktop = true;
    bool displayOffIndicator = false;
    bool launchExecutor = true;
    bool audioMuted = false;
    bool displaySwitchWindow = true;
    bool displaySwitchFinal = false;
    bool hibernatePending = false;
    bool postResumeAnnouncement = false;
    bool launchStartsManager = false;
    std::function<void()> duringDisplayToggle;

    std::vector<std::string> calls;

    std::string Calls() const
    {
        std::string joined;
        for (const auto& c : calls) joined += (joined.empty() ? "" : ";") + c;
        return joined;
    }

    uint16_t SystemId() const override { return systemId; }
    bool IsCapability(int bit) const override { return capabilities.count(bit) != 0; }
    int OsdStyle() const override { return osdStyle; }
    uint64_t TickCount() const override { return now; }
    bool IsInputDesktopAvailable() const override { return inputDesktop; }
    bool HasDisplayOffIndicator() const override { return displayOffIndicator; }
    bool HasLaunchButtonExecutor() const override { return launchExecutor; }
    bool IsAudioOutputMuted() const override { return audioMuted; }
    bool DisplaySwitchWindowExists() const override { return displaySwitchWindow; }
    bool IsDisplaySwitchFinal() const override { return displaySwitchFinal; }
    bool IsHibernatePending() const override { return hibernatePending; }
    bool NeedsPostResumeAnnouncement() const override { return postResumeAnnouncement; }

    void StartTimer(UINT_PTR id, UINT ms) override { Rec("StartTimer", id, ms); }
    void StopTimer(UINT_PTR id) override { Rec("StopTimer", id); }

    void ShowLockKey(int indicator, bool fromBios) override { Rec("ShowLockKey", indicator, fromBios); }
    void ShowBrightness(int value, bool absolute) override { Rec("ShowBrightness", value, absolute); }
    void BatteryButton() override { Rec("BatteryButton"); }
    void ShowRadio(uint32_t status, uint32_t detail, bool fromBios) override
    {
        Rec("ShowRadio", status, detail, fromBios);
    }
    void Eject() override { Rec("Eject"); }
    void StartHibernate() override { Rec("StartHibernate"); }
    void ShowDisplaySwitch(uint8_t proposed, uint8_t active, uint8_t attached, bool fromBios) override
    {
        Rec("ShowDisplaySwitch", proposed, active, attached, fromBios);
    }
    void ShowDisplaySwitchPressed(uint16_t a1, uint16_t a2, uint16_t a3, bool fromBios) override
    {
        Rec("ShowDisplaySwitchPressed", a1, a2, a3, fromBios);
    }
    void FinishDisplaySwitch() override { Rec("FinishDisplaySwitch"); }
    void CommitDisplaySwitch() override { Rec("CommitDisplaySwitch"); }
    void ShowKeyboardLight(int level, bool fromBios) override { Rec("ShowKeyboardLight", level, fromBios); }
    void QueryBiosMessage() override { Rec("QueryBiosMessage"); }
    void ShowBiosMessage(uint16_t a1, uint16_t a2, uint32_t a3) override { Rec("ShowBiosMessage", a1, a2, a3); }
    void RefreshBatteryHealth() override { Rec("RefreshBatteryHealth"); }
    void StartRadioConfiguration() override { Rec("StartRadioConfiguration"); }
    void ShowAmbientLightSensor(int state, bool fromBios) override
    {
        Rec("ShowAmbientLightSensor", state, fromBios);
    }
    void HideDisplaysForMute() override { Rec("HideDisplaysForMute"); }
    void ShowVolumeDisplay() override { Rec("ShowVolumeDisplay"); }
    void UnmuteAudio() override { Rec("UnmuteAudio"); }
    void StartWirelessDisplay() override { Rec("StartWirelessDisplay"); }
    void ShowMessage(UINT stringId) override { Rec("ShowMessage", stringId); }
    bool RunLaunchButton() override
    {
        Rec("RunLaunchButton");
        return launchStartsManager;
    }
    void BringLaunchManagerToFront() override { Rec("BringLaunchManagerToFront"); }
    void SendDisplayOffIndicatorState() override { Rec("SendDisplayOffIndicatorState"); }
    void ToggleDisplayOff() override
    {
        Rec("ToggleDisplayOff");
        if (duringDisplayToggle) duringDisplayToggle();
    }
    void OpenAudioPanel() override { Rec("OpenAudioPanel"); }
    void StartLaunchButtonManager() override { Rec("StartLaunchButtonManager"); }
    void DesktopModeAdviceCheck() override { Rec("DesktopModeAdviceCheck"); }
    void RecheckKeyboardBacklightSupport() override { Rec("RecheckKeyboardBacklightSupport"); }

    void ToggleExtendedBatteryLife(bool on) override { Rec("ToggleExtendedBatteryLife", on); }
    void ToggleIntelligentDisplay(bool on) override { Rec("ToggleIntelligentDisplay", on); }
    void StoreDesktopModeChoice(bool chosen, bool reminder) override
    {
        Rec("StoreDesktopModeChoice", chosen, reminder);
    }
    void ApplyDesktopMode() override { Rec("ApplyDesktopMode"); }
    void FinishDeviceRescan() override { Rec("FinishDeviceRescan"); }
    void ShowVolumeChange(WPARAM volume, LPARAM mute) override { Rec("ShowVolumeChange", volume, mute); }
    void RebindAudioEndpoint() override { Rec("RebindAudioEndpoint"); }
    void ShowBrightnessPercent(int percent) override { Rec("ShowBrightnessPercent", percent); }
    void ShowAdvancedDisplayConfiguration() override { Rec("ShowAdvancedDisplayConfiguration"); }
    void Close() override { Rec("Close"); }
    void AddTrayIcon() override { Rec("AddTrayIcon"); }

    void PowerSourceChanged() override { Rec("PowerSourceChanged"); }
    void RefreshBrightnessDisplay() override { Rec("RefreshBrightnessDisplay"); }
    void DesktopModeRefresh() override { Rec("DesktopModeRefresh"); }
    void ScheduleDisplayOffIndicator(int state) override { Rec("ScheduleDisplayOffIndicator", state); }
    void SetExecutorMonitorState(int state) override { Rec("SetExecutorMonitorState", state); }
    void ClearPendingHibernate() override { Rec("ClearPendingHibernate"); }
    void OfferForcedHibernate() override { Rec("OfferForcedHibernate"); }
    void ResetLaunchButtonExecutor() override { Rec("ResetLaunchButtonExecutor"); }
    void ReportVersionToBios(uint32_t arg4) override { Rec("ReportVersionToBios", arg4); }
    void StartDelayedBiosMessageQuery() override { Rec("StartDelayedBiosMessageQuery"); }
    void CheckBatteryCharging() override { Rec("CheckBatteryCharging"); }

    void TrayIconSingleClick() override { Rec("TrayIconSingleClick"); }
    void PostResumeAnnouncement() override { Rec("PostResumeAnnouncement"); }
    void UpdateDisplayOffIndicator() override { Rec("UpdateDisplayOffIndicator"); }
    void EblEvaluationTimer() override { Rec("EblEvaluationTimer"); }
    void IntelligentDisplayTimer() override { Rec("IntelligentDisplayTimer"); }

private:
    template <typename... Args>
    void Rec(const char* name, Args... args)
    {
        std::ostringstream s;
        s << name << '(';
        [[maybe_unused]] int i = 0;
        ((s << (i++ ? "," : "") << +args), ...);
        s << ')';
        calls.push_back(s.str());
    }
};
