#include "BatteryAlertsFeature.h"
#include "BatterySavingFeature.h"
#include "BrightnessFeature.h"
#include "CompanionApp.h"
#include "DesktopModeFeature.h"
#include "FeatureBench.h"
#include "HibernateFeature.h"
#include "LaunchButtonFeature.h"
#include "MessageCatalogue.h"
#include "PowerEventsFeature.h"
#include "TrayFeatures.h"

#include <gtest/gtest.h>

namespace {

using namespace messages;

class TrayMessages : public ::testing::Test {
protected:
    void SetUp() override
    {
        features
            = std::make_unique<CTrayFeatures>(bench.Context(), companion, std::make_unique<QuietHibernate>(),
                                              std::make_unique<QuietAlertBoxes>());
        features->RegisterRoutes(bench.Dispatcher());
    }
    FeatureBench bench;
    CCompanionApp companion;
    std::unique_ptr<CTrayFeatures> features;
};

TEST_F(TrayMessages, RegisteredMessagesReachTheirEntries)
{
    EXPECT_EQ(bench.Registered(kToggleEblState, 1), "ToggleExtendedBatteryLife 1");
    EXPECT_EQ(bench.Registered(kToggleEblState, 0), "ToggleExtendedBatteryLife 0");
    EXPECT_EQ(bench.Registered(kToggleIntelligentDisplay, 1), "ToggleIntelligentDisplay 1");
    EXPECT_EQ(bench.Registered(kRescanDeviceManagerCompleted), "FinishDeviceRescan");
    EXPECT_EQ(bench.Registered(kVolumeChange, 40, 1), "ShowVolumeChange 40 1");
    EXPECT_EQ(bench.Registered(kBrightnessChange, 60), "ShowBrightnessPercent 60");
    EXPECT_EQ(bench.Registered(kHibernate), "StartHibernate");
    EXPECT_EQ(bench.Registered(kArkonShowAdvanced), "ShowAdvancedDisplayConfiguration");
    EXPECT_EQ(bench.Message(kKeyboardLightSupportChanged), "RecheckKeyboardBacklightSupport");
}

TEST_F(TrayMessages, ValuesFromOtherProgramsOutsideTheirRangeAreNotActedOn)
{
    EXPECT_EQ(bench.Registered(kToggleEblState, 7), "");
    EXPECT_EQ(bench.Registered(kToggleIntelligentDisplay, WPARAM(-1)), "");
    EXPECT_EQ(bench.Registered(kBrightnessChange, 250), "ShowBrightnessPercent 100");
    EXPECT_EQ(bench.Registered(kBrightnessChange, WPARAM(-1)), "ShowBrightnessPercent 100");
}

TEST(DesktopModeFeature, ServiceMessagesNeedTheDesktopModeCapability)
{
    for (bool capable : {false, true}) {
        FeatureBench bench;
        if (capable) bench.capabilities.Set(14);
        CDesktopModeFeature feature(bench.Context());
        feature.RegisterRoutes(bench.Dispatcher());
        EXPECT_EQ(bench.Registered(kMyServiceMessage, 1, 3), capable ? "StoreDesktopModeChoice 1 1" : "");
        EXPECT_EQ(bench.Registered(kMyServiceMessage, 1, 1), capable ? "StoreDesktopModeChoice 1 0" : "");
        EXPECT_EQ(bench.Registered(kMyServiceMessage, 1, 2), capable ? "StoreDesktopModeChoice 0 1" : "");
        EXPECT_EQ(bench.Registered(kMyServiceMessage, 2), capable ? "ApplyDesktopMode" : "");
        EXPECT_EQ(bench.Registered(kMyServiceMessage, 3, 'B'), "");
        EXPECT_EQ(bench.Registered(kMyServiceMessage, 4), "");
    }
}

struct FakeSaving : IBatterySavingState {
    bool needed = false;
    bool NeedsPostResumeAnnouncement() const override { return needed; }
};

struct FakeHibernate : IHibernateWorker {
    bool pending = false;
    int starts = 0;
    int offers = 0;
    bool IsPending() const override { return pending; }
    void Start() override { ++starts; }
    void ClearPending() override { pending = false; }
    void OfferForced(HWND) override { ++offers; }
};

// The power events with the features they lead to, built one by one so
// that the parts those features will drive can be stood in for.
class PowerEvents : public ::testing::Test {
protected:
    void Build()
    {
        brightness = std::make_unique<CBrightnessFeature>(bench.Context(), displayFlags);
        alerts
            = std::make_unique<CBatteryAlertsFeature>(bench.Context(), CBatteryAlertsFeature::Parts{&boxes});
        desktop = std::make_unique<CDesktopModeFeature>(bench.Context());
        hibernate = std::make_unique<CHibernateFeature>(bench.Context(), &worker);
        launch
            = std::make_unique<CLaunchButtonFeature>(bench.Context(), nullptr, suspend, [] { return 0ULL; });
        saving = std::make_unique<CBatterySavingFeature>(bench.Context(), &savingState,
                                                         [this] { return inputDesktop; });
        power = std::make_unique<CPowerEventsFeature>(
            bench.Context(),
            CPowerEventsFeature::Parts{*saving, *alerts, *brightness, *desktop, *hibernate, *launch}, suspend,
            [this] { return onAc; });
        for (ITrayFeature* feature :
             std::initializer_list<ITrayFeature*>{brightness.get(), alerts.get(), desktop.get(),
                                                  hibernate.get(), launch.get(), saving.get(), power.get()})
            feature->RegisterRoutes(bench.Dispatcher());
    }

    FeatureBench bench;
    DisplayFlags displayFlags;
    CSuspendState suspend;
    FakeSaving savingState;
    FakeHibernate worker;
    QuietAlertBoxes boxes;
    bool inputDesktop = true;
    bool onAc = false;
    std::unique_ptr<CBrightnessFeature> brightness;
    std::unique_ptr<CBatteryAlertsFeature> alerts;
    std::unique_ptr<CDesktopModeFeature> desktop;
    std::unique_ptr<CHibernateFeature> hibernate;
    std::unique_ptr<CLaunchButtonFeature> launch;
    std::unique_ptr<CBatterySavingFeature> saving;
    std::unique_ptr<CPowerEventsFeature> power;
};

TEST_F(PowerEvents, PowerSourceChangeFollowsThePowerSourceThenRefreshes)
{
    Build();
    EXPECT_EQ(bench.Power(PBT_APMPOWERSTATUSCHANGE), "PowerSourceChanged;RefreshBrightnessDisplay");
    bench.capabilities.Set(14);
    EXPECT_EQ(bench.Power(PBT_APMPOWERSTATUSCHANGE),
              "PowerSourceChanged;RefreshBrightnessDisplay;DesktopModeRefresh");
    // Back on AC the classic styles look whether charging is held off.
    onAc = true;
    EXPECT_EQ(bench.Power(PBT_APMPOWERSTATUSCHANGE),
              "PowerSourceChanged;CheckBatteryCharging;RefreshBrightnessDisplay;DesktopModeRefresh");
}

TEST_F(PowerEvents, TheNewerStyleNeverLooksForChargingHeldOff)
{
    bench.osdStyle = 3;
    onAc = true;
    Build();
    EXPECT_EQ(bench.Power(PBT_APMPOWERSTATUSCHANGE), "PowerSourceChanged;RefreshBrightnessDisplay");
}

TEST_F(PowerEvents, ResumeRunsItsStepsInOrder)
{
    bench.capabilities.Set(14);
    savingState.needed = true;
    Build();
    EXPECT_EQ(bench.Power(PBT_APMSUSPEND), "ClearPendingHibernate");
    EXPECT_TRUE(suspend.IsSuspended());
    EXPECT_EQ(bench.Power(PBT_APMRESUMESUSPEND),
              "DesktopModeRefresh;ClearPendingHibernate;ResetLaunchButtonExecutor;ReportVersionToBios 1;"
              "StartDelayedBiosMessageQuery;RefreshBatteryStatus;StartTimer 33272 1000;CheckBatteryCharging");
    EXPECT_FALSE(suspend.IsSuspended());
    ASSERT_EQ(bench.biosCalls.size(), 1u);
    EXPECT_EQ(bench.biosCalls[0].cbClass, 0x0011);
    EXPECT_EQ(bench.biosCalls[0].cbArg4, 1u);
}

TEST_F(PowerEvents, ResumeLeavesOutWhatTheMachineDoesNotUse)
{
    bench.capabilities.Set(12);
    bench.osdStyle = 3;
    Build();
    EXPECT_EQ(bench.Power(PBT_APMRESUMESUSPEND),
              "ClearPendingHibernate;ResetLaunchButtonExecutor;ReportVersionToBios 1;RefreshBatteryStatus");
}

TEST_F(PowerEvents, SuspendSchedulesTheIndicatorAsForMonitorOn)
{
    bench.systemId = 1325;
    Build();
    EXPECT_EQ(bench.Power(PBT_APMSUSPEND),
              "ScheduleDisplayOffIndicator 1;StartTimer 33273 50;ClearPendingHibernate");
}

TEST_F(PowerEvents, FailedSuspendOffersToForceAPendingHibernation)
{
    Build();
    EXPECT_EQ(bench.Power(PBT_APMQUERYSUSPENDFAILED), "");
    worker.pending = true;
    EXPECT_EQ(bench.Power(PBT_APMQUERYSUSPENDFAILED), "OfferForcedHibernate");
    EXPECT_EQ(worker.offers, 1);
    EXPECT_EQ(bench.Power(PBT_APMRESUMEAUTOMATIC), "");
}

TEST_F(PowerEvents, TheHibernateKeyFirmwareAndMessageStartTheWorkerAndSuspendEndsThePending)
{
    Build();
    bench.Key(0xE00A);
    bench.Bios(0xE00A);
    bench.Registered(L"Tavrin - HIBERNATE");
    EXPECT_EQ(worker.starts, 3);
    worker.pending = true;
    bench.Power(PBT_APMSUSPEND);
    EXPECT_FALSE(worker.pending);
    EXPECT_EQ(bench.Power(PBT_APMQUERYSUSPENDFAILED), "") << "nothing is pending after the suspend";
}

TEST_F(PowerEvents, TimersStopThemselvesBeforeActing)
{
    Build();
    EXPECT_EQ(bench.Timer(0x7FFF), "StopTimer 32767;EblEvaluationTimer");
    EXPECT_EQ(bench.Timer(32787), "StopTimer 32787;IntelligentDisplayTimer");
    EXPECT_EQ(bench.Timer(33273), "StopTimer 33273;UpdateDisplayOffIndicator");
    EXPECT_EQ(bench.Timer(33272), "StopTimer 33272;PostResumeAnnouncement");
}

TEST_F(PowerEvents, ResumeTimerKeepsRunningUntilTheInputDesktopOpens)
{
    Build();
    inputDesktop = false;
    EXPECT_EQ(bench.Timer(33272), "");
    EXPECT_EQ(bench.Timer(33272), "");
    EXPECT_TRUE(bench.timerCalls.empty());
    inputDesktop = true;
    EXPECT_EQ(bench.Timer(33272), "StopTimer 33272;PostResumeAnnouncement");
    EXPECT_EQ(bench.timerCalls, (std::vector<std::string>{"kill 33272"}));
}

} // namespace
