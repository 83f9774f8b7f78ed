// The main window's entry operations, as the hotkey dispatcher and the event
// router call them. Each is written to the dispatch trace.
#include "AcpiWmi.h"
#include "FeatureConfig.h"
#include "MainFrame.h"
#include "TextLoader.h"
#include "VersionReport.h"

namespace {

// Hardware feature bit: the keyboard has a backlight.
constexpr int kKeyboardLightFeature = 26;

} // namespace

uint16_t CMainFrame::SystemId() const { return static_cast<uint16_t>(m_bios.SystemId()); }

void CMainFrame::StartTimer(UINT_PTR id, UINT elapseMs)
{
    m_trace.Entry("StartTimer", {static_cast<long long>(id), elapseMs});
    SetTimer(id, elapseMs);
}

void CMainFrame::StopTimer(UINT_PTR id)
{
    m_trace.Entry("StopTimer", {static_cast<long long>(id)});
    KillTimer(id);
}

void CMainFrame::ShowMessage(UINT stringId)
{
    m_trace.Entry("ShowMessage", {stringId});
    ::MessageBoxW(m_hWnd, texts::LoadSelected(stringId).c_str(), kTitle,
                  MB_OK | MB_ICONEXCLAMATION | MB_TOPMOST);
}

void CMainFrame::RecheckKeyboardBacklightSupport()
{
    m_trace.Entry("RecheckKeyboardBacklightSupport");
    feature_config::ReportKeyboardLightSupport(m_bios.IsFeature(kKeyboardLightFeature));
}

void CMainFrame::Close()
{
    m_trace.Entry("Close");
    PostMessage(WM_CLOSE);
}

void CMainFrame::AddTrayIcon()
{
    // At start and after a shell restart: only where the user wants an icon.
    m_trace.Entry("AddTrayIcon");
    if (m_taskBar.IsShown()) ShowTrayIconNow();
}

void CMainFrame::ReportVersionToBios(uint32_t arg4)
{
    m_trace.Entry("ReportVersionToBios", {arg4});
    version_report::Report(m_bios, version_report::ReadInstalledVersion(), arg4);
}

void CMainFrame::TrayIconSingleClick()
{
    m_trace.Entry("TrayIconSingleClick");
    OnSingleClick();
    m_doubleClicked = false;
}

// The features behind the entries below (displays, battery, radio, hibernate,
// launch button, desktop mode and the rest) are added one by one; until then
// an entry only leaves its line in the trace, and the facts read as absent.

bool CMainFrame::HasDisplayOffIndicator() const { return false; }
bool CMainFrame::HasLaunchButtonExecutor() const { return false; }
bool CMainFrame::IsAudioOutputMuted() const { return false; }
bool CMainFrame::DisplaySwitchWindowExists() const { return false; }
bool CMainFrame::IsDisplaySwitchFinal() const { return false; }
bool CMainFrame::IsHibernatePending() const { return false; }
bool CMainFrame::NeedsPostResumeAnnouncement() const { return false; }

void CMainFrame::ShowLockKey(int indicator, bool fromBios) { m_trace.Entry("ShowLockKey", {indicator, fromBios}); }
void CMainFrame::ShowBrightness(int value, bool absolute) { m_trace.Entry("ShowBrightness", {value, absolute}); }
void CMainFrame::BatteryButton() { m_trace.Entry("BatteryButton"); }
void CMainFrame::ShowRadio(uint32_t status, uint32_t detail, bool fromBios)
{
    m_trace.Entry("ShowRadio", {status, detail, fromBios});
}
void CMainFrame::Eject() { m_trace.Entry("Eject"); }
void CMainFrame::StartHibernate() { m_trace.Entry("StartHibernate"); }
void CMainFrame::ShowDisplaySwitch(uint8_t proposed, uint8_t active, uint8_t attached, bool fromBios)
{
    m_trace.Entry("ShowDisplaySwitch", {proposed, active, attached, fromBios});
}
void CMainFrame::ShowDisplaySwitchPressed(uint16_t arg1, uint16_t arg2, uint16_t arg3, bool fromBios)
{
    m_trace.Entry("ShowDisplaySwitchPressed", {arg1, arg2, arg3, fromBios});
}
void CMainFrame::FinishDisplaySwitch() { m_trace.Entry("FinishDisplaySwitch"); }
void CMainFrame::CommitDisplaySwitch() { m_trace.Entry("CommitDisplaySwitch"); }
void CMainFrame::ShowKeyboardLight(int level, bool fromBios) { m_trace.Entry("ShowKeyboardLight", {level, fromBios}); }
void CMainFrame::QueryBiosMessage() { m_trace.Entry("QueryBiosMessage"); }
void CMainFrame::ShowBiosMessage(uint16_t arg1, uint16_t arg2, uint32_t arg3)
{
    m_trace.Entry("ShowBiosMessage", {arg1, arg2, arg3});
}
void CMainFrame::RefreshBatteryHealth() { m_trace.Entry("RefreshBatteryHealth"); }
void CMainFrame::StartRadioConfiguration() { m_trace.Entry("StartRadioConfiguration"); }
void CMainFrame::ShowAmbientLightSensor(int state, bool fromBios)
{
    m_trace.Entry("ShowAmbientLightSensor", {state, fromBios});
}
void CMainFrame::HideDisplaysForMute() { m_trace.Entry("HideDisplaysForMute"); }
void CMainFrame::ShowVolumeDisplay() { m_trace.Entry("ShowVolumeDisplay"); }
void CMainFrame::UnmuteAudio() { m_trace.Entry("UnmuteAudio"); }
void CMainFrame::StartWirelessDisplay() { m_trace.Entry("StartWirelessDisplay"); }
bool CMainFrame::RunLaunchButton()
{
    m_trace.Entry("RunLaunchButton");
    return false;
}
void CMainFrame::BringLaunchManagerToFront() { m_trace.Entry("BringLaunchManagerToFront"); }
void CMainFrame::SendDisplayOffIndicatorState() { m_trace.Entry("SendDisplayOffIndicatorState"); }
void CMainFrame::ToggleDisplayOff() { m_trace.Entry("ToggleDisplayOff"); }
void CMainFrame::OpenAudioPanel() { m_trace.Entry("OpenAudioPanel"); }
void CMainFrame::StartLaunchButtonManager() { m_trace.Entry("StartLaunchButtonManager"); }
void CMainFrame::DesktopModeAdviceCheck() { m_trace.Entry("DesktopModeAdviceCheck"); }

void CMainFrame::ToggleExtendedBatteryLife(bool on) { m_trace.Entry("ToggleExtendedBatteryLife", {on}); }
void CMainFrame::ToggleIntelligentDisplay(bool on) { m_trace.Entry("ToggleIntelligentDisplay", {on}); }
void CMainFrame::StoreDesktopModeChoice(bool chosen, bool reminder)
{
    m_trace.Entry("StoreDesktopModeChoice", {chosen, reminder});
}
void CMainFrame::ApplyDesktopMode() { m_trace.Entry("ApplyDesktopMode"); }
void CMainFrame::FinishDeviceRescan() { m_trace.Entry("FinishDeviceRescan"); }
void CMainFrame::ShowVolumeChange(WPARAM volume, LPARAM mute)
{
    m_trace.Entry("ShowVolumeChange", {static_cast<long long>(volume), static_cast<long long>(mute)});
}
void CMainFrame::RebindAudioEndpoint() { m_trace.Entry("RebindAudioEndpoint"); }
void CMainFrame::ShowBrightnessPercent(int percent) { m_trace.Entry("ShowBrightnessPercent", {percent}); }
void CMainFrame::ShowAdvancedDisplayConfiguration() { m_trace.Entry("ShowAdvancedDisplayConfiguration"); }

void CMainFrame::PowerSourceChanged() { m_trace.Entry("PowerSourceChanged"); }
void CMainFrame::RefreshBrightnessDisplay() { m_trace.Entry("RefreshBrightnessDisplay"); }
void CMainFrame::DesktopModeRefresh() { m_trace.Entry("DesktopModeRefresh"); }
void CMainFrame::ScheduleDisplayOffIndicator(int monitorState)
{
    m_trace.Entry("ScheduleDisplayOffIndicator", {monitorState});
}
void CMainFrame::SetExecutorMonitorState(int monitorState) { m_trace.Entry("SetExecutorMonitorState", {monitorState}); }
void CMainFrame::ClearPendingHibernate() { m_trace.Entry("ClearPendingHibernate"); }
void CMainFrame::OfferForcedHibernate() { m_trace.Entry("OfferForcedHibernate"); }
void CMainFrame::ResetLaunchButtonExecutor() { m_trace.Entry("ResetLaunchButtonExecutor"); }
void CMainFrame::StartDelayedBiosMessageQuery() { m_trace.Entry("StartDelayedBiosMessageQuery"); }
void CMainFrame::CheckBatteryCharging() { m_trace.Entry("CheckBatteryCharging"); }

void CMainFrame::PostResumeAnnouncement() { m_trace.Entry("PostResumeAnnouncement"); }
void CMainFrame::UpdateDisplayOffIndicator() { m_trace.Entry("UpdateDisplayOffIndicator"); }
void CMainFrame::EblEvaluationTimer() { m_trace.Entry("EblEvaluationTimer"); }
void CMainFrame::IntelligentDisplayTimer() { m_trace.Entry("IntelligentDisplayTimer"); }
