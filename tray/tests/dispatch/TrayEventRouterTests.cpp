#include "HotkeyDispatcher.h"
#include "KeyForwarder.h"
#include "RecordingTrayEntries.h"
#include "TrayEventRouter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr GUID kMonitorPowerOn = {0x02731015, 0x4510, 0x4526,
                                  {0x99, 0xE6, 0xE5, 0xA1, 0x7E, 0xBD, 0x1A, 0xEA}};

// A power-setting notification with one data byte.
std::vector<uint8_t> PowerSetting(const GUID& setting, uint8_t value, DWORD length = 1)
{
    std::vector<uint8_t> buffer(sizeof(POWERBROADCAST_SETTING) + 4);
    auto* p = reinterpret_cast<POWERBROADCAST_SETTING*>(buffer.data());
    p->PowerSetting = setting;
    p->DataLength = length;
    p->Data[0] = value;
    return buffer;
}

class RouterTest : public ::testing::Test {
protected:
    CTrayEventRouter& Router()
    {
        if (!router) router = std::make_unique<CTrayEventRouter>(entries, hotkeys);
        return *router;
    }
    std::string Message(UINT msg, WPARAM wp = 0, LPARAM lp = 0)
    {
        entries.calls.clear();
        EXPECT_TRUE(Router().OnMessage(msg, wp, lp));
        return entries.Calls();
    }
    std::string Registered(const wchar_t* name, WPARAM wp = 0, LPARAM lp = 0)
    {
        return Message(::RegisterWindowMessageW(name), wp, lp);
    }
    std::string Power(WPARAM event, LPARAM data = 0) { return Message(WM_POWERBROADCAST, event, data); }
    std::string MonitorPower(uint8_t state)
    {
        auto setting = PowerSetting(kMonitorPowerOn, state);
        return Power(PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(setting.data()));
    }
    std::string Timer(UINT_PTR id)
    {
        entries.calls.clear();
        EXPECT_TRUE(Router().OnTimer(id));
        return entries.Calls();
    }

    RecordingTrayEntries entries;
    CKeyForwarder forwarder;
    CHotkeyDispatcher hotkeys{entries, forwarder};
    std::unique_ptr<CTrayEventRouter> router;
};

TEST_F(RouterTest, RegisteredMessagesReachTheirEntries)
{
    EXPECT_EQ(Registered(L"Tavrin - TOGGLE_EBL_STATE", 1), "ToggleExtendedBatteryLife(1)");
    EXPECT_EQ(Registered(L"Tavrin - TOGGLE_EBL_STATE", 0), "ToggleExtendedBatteryLife(0)");
    EXPECT_EQ(Registered(L"Tavrin - TOGGLE_INTELLIGENT_DISPLAY", 1), "ToggleIntelligentDisplay(1)");
    EXPECT_EQ(Registered(L"Tavrin - Rescan Device Manager Completed"), "FinishDeviceRescan()");
    EXPECT_EQ(Registered(L"Tavrin - VOLUME_CHANGE", 40, 1), "ShowVolumeChange(40,1)");
    EXPECT_EQ(Registered(L"Tavrin - AUDIOE_ENDPOINT_CHANGE"), "RebindAudioEndpoint()");
    EXPECT_EQ(Registered(L"Tavrin - BRIGHTNESS_CHANGE", 60), "ShowBrightnessPercent(60)");
    EXPECT_EQ(Registered(L"Tavrin - HIBERNATE"), "StartHibernate()");
    EXPECT_EQ(Registered(L"Arkon_ShowAdvanced"), "ShowAdvancedDisplayConfiguration()");
    EXPECT_EQ(Registered(L"Stop Tavrin"), "Close()");
    EXPECT_EQ(Registered(L"TaskbarCreated"), "AddTrayIcon()");
}

TEST_F(RouterTest, ValuesFromOtherProgramsOutsideTheirRangeAreNotActedOn)
{
    EXPECT_EQ(Registered(L"Tavrin - TOGGLE_EBL_STATE", 7), "");
    EXPECT_EQ(Registered(L"Tavrin - TOGGLE_INTELLIGENT_DISPLAY", WPARAM(-1)), "");
    EXPECT_EQ(Registered(L"Tavrin - BRIGHTNESS_CHANGE", 250), "ShowBrightnessPercent(100)");
    EXPECT_EQ(Registered(L"Tavrin - BRIGHTNESS_CHANGE", WPARAM(-1)), "ShowBrightnessPercent(100)");
}

TEST_F(RouterTest, ServiceMessagesNeedTheDesktopModeCapability)
{
    const wchar_t* service = L"Tavrin - MY_SERVICE_MESSAGE";
    EXPECT_EQ(Registered(service, 1, 3), "");
    EXPECT_EQ(Registered(service, 2), "");
    entries.capabilities = {14};
    EXPECT_EQ(Registered(service, 1, 3), "StoreDesktopModeChoice(1,1)");
    EXPECT_EQ(Registered(service, 1, 1), "StoreDesktopModeChoice(1,0)");
    EXPECT_EQ(Registered(service, 1, 2), "StoreDesktopModeChoice(0,1)");
    EXPECT_EQ(Registered(service, 2), "ApplyDesktopMode()");
    EXPECT_EQ(Registered(service, 3, 'B'), "");
    EXPECT_EQ(Registered(service, 4), "");
}

TEST_F(RouterTest, OtherMessagesAreLeftToTheWindow)
{
    entries.calls.clear();
    EXPECT_FALSE(Router().OnMessage(WM_USER + 1, 0, 0));
    EXPECT_FALSE(Router().OnMessage(::RegisterWindowMessageW(L"Tavrin - CHANGE_BATTERY_CHARGE_STATE"), 1, 0));
    EXPECT_FALSE(Router().OnMessage(0, 0, 0));
    EXPECT_EQ(entries.Calls(), "");
}

TEST_F(RouterTest, KeyAndBacklightMessages)
{
    EXPECT_EQ(Message(WM_APP + 0x65, 0x3A, 0), "ShowLockKey(101,0)");
    EXPECT_EQ(Message(WM_APP + 0x65, 0x25, 1), "");  // within 500 ms of start-up
    EXPECT_EQ(Message(WM_APP + 0x66), "RecheckKeyboardBacklightSupport()");
}

TEST_F(RouterTest, PowerSourceChangeFollowsThePowerSourceThenRefreshes)
{
    EXPECT_EQ(Power(PBT_APMPOWERSTATUSCHANGE), "PowerSourceChanged();RefreshBrightnessDisplay()");
    entries.capabilities = {14};
    EXPECT_EQ(Power(PBT_APMPOWERSTATUSCHANGE),
              "PowerSourceChanged();RefreshBrightnessDisplay();DesktopModeRefresh()");
}

TEST_F(RouterTest, ResumeRunsItsStepsInOrder)
{
    entries.capabilities = {14};
    entries.postResumeAnnouncement = true;
    Power(PBT_APMSUSPEND);
    EXPECT_TRUE(Router().IsSuspended());
    EXPECT_EQ(Power(PBT_APMRESUMESUSPEND),
              "DesktopModeRefresh();ClearPendingHibernate();ResetLaunchButtonExecutor();"
              "ReportVersionToBios(1);StartDelayedBiosMessageQuery();RefreshBatteryHealth();"
              "StartTimer(33272,1000);CheckBatteryCharging()");
    EXPECT_FALSE(Router().IsSuspended());
}

TEST_F(RouterTest, ResumeLeavesOutWhatTheMachineDoesNotUse)
{
    entries.capabilities = {12};
    entries.osdStyle = 3;
    EXPECT_EQ(Power(PBT_APMRESUMESUSPEND),
              "ClearPendingHibernate();ResetLaunchButtonExecutor();ReportVersionToBios(1);"
              "RefreshBatteryHealth()");
}

TEST_F(RouterTest, ResumeLetsTheNextBatteryMeterKeyThrough)
{
    EXPECT_TRUE(forwarder.TakeKey(0x0E, true));
    EXPECT_FALSE(forwarder.TakeKey(0x0E, true));
    Power(PBT_APMRESUMESUSPEND);
    EXPECT_TRUE(forwarder.TakeKey(0x0E, true));
}

TEST_F(RouterTest, SuspendSchedulesTheIndicatorAsForMonitorOn)
{
    EXPECT_EQ(Power(PBT_APMSUSPEND), "ClearPendingHibernate()");
    entries.displayOffIndicator = true;
    EXPECT_EQ(Power(PBT_APMSUSPEND), "ScheduleDisplayOffIndicator(1);ClearPendingHibernate()");
}

TEST_F(RouterTest, FailedSuspendOffersToForceAPendingHibernation)
{
    EXPECT_EQ(Power(PBT_APMQUERYSUSPENDFAILED), "");
    entries.hibernatePending = true;
    EXPECT_EQ(Power(PBT_APMQUERYSUSPENDFAILED), "OfferForcedHibernate()");
    EXPECT_EQ(Power(PBT_APMRESUMEAUTOMATIC), "");
}

TEST_F(RouterTest, MonitorPowerGoesToTheExecutorAndTheIndicator)
{
    EXPECT_EQ(MonitorPower(0), "SetExecutorMonitorState(0)");
    entries.displayOffIndicator = true;
    EXPECT_EQ(MonitorPower(0), "ScheduleDisplayOffIndicator(0);SetExecutorMonitorState(0)");
    EXPECT_EQ(MonitorPower(1), "ScheduleDisplayOffIndicator(1);SetExecutorMonitorState(1)");
    Power(PBT_APMSUSPEND);
    EXPECT_EQ(MonitorPower(0), "SetExecutorMonitorState(0)");
    entries.launchExecutor = false;
    EXPECT_EQ(MonitorPower(1), "");
}

TEST_F(RouterTest, MalformedPowerSettingsAreIgnored)
{
    EXPECT_EQ(Power(PBT_POWERSETTINGCHANGE, 0), "");
    const GUID other = {0x8183BA9A, 0xE910, 0x48DA, {0x87, 0x69, 0x14, 0xAE, 0x6D, 0xC1, 0x17, 0x0A}};
    auto otherSetting = PowerSetting(other, 0);
    EXPECT_EQ(Power(PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(otherSetting.data())), "");
    auto empty = PowerSetting(kMonitorPowerOn, 0, 0);
    EXPECT_EQ(Power(PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(empty.data())), "");
}

TEST_F(RouterTest, TheTraysOwnDisplayOffPressIsNotReportedBack)
{
    entries.displayOffIndicator = true;
    std::string duringPress;
    entries.duringDisplayToggle = [&] {
        const size_t before = entries.calls.size();
        Router().OnMessage(WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                           reinterpret_cast<LPARAM>(PowerSetting(kMonitorPowerOn, 0).data()));
        duringPress = std::to_string(entries.calls.size() - before);
    };
    hotkeys.OnKey(0xE027);
    EXPECT_EQ(duringPress, "0");
    EXPECT_EQ(MonitorPower(1), "ScheduleDisplayOffIndicator(1);SetExecutorMonitorState(1)");
}

TEST_F(RouterTest, TimersStopThemselvesBeforeActing)
{
    EXPECT_EQ(Timer(1032), "StopTimer(1032);TrayIconSingleClick()");
    EXPECT_EQ(Timer(32766), "StopTimer(32766);CommitDisplaySwitch()");
    EXPECT_EQ(Timer(0x7FFF), "StopTimer(32767);EblEvaluationTimer()");
    EXPECT_EQ(Timer(32787), "StopTimer(32787);IntelligentDisplayTimer()");
    EXPECT_EQ(Timer(33273), "StopTimer(33273);UpdateDisplayOffIndicator()");
    EXPECT_EQ(Timer(33272), "StopTimer(33272);PostResumeAnnouncement()");
}

TEST_F(RouterTest, ResumeTimerKeepsRunningUntilTheInputDesktopOpens)
{
    entries.inputDesktop = false;
    EXPECT_EQ(Timer(33272), "");
    EXPECT_EQ(Timer(33272), "");
    entries.inputDesktop = true;
    EXPECT_EQ(Timer(33272), "StopTimer(33272);PostResumeAnnouncement()");
}

TEST_F(RouterTest, OtherTimersAreLeftToTheWindow)
{
    EXPECT_FALSE(Router().OnTimer(1));
    EXPECT_FALSE(Router().OnTimer(33274));
    EXPECT_EQ(entries.Calls(), "");
}

} // namespace
