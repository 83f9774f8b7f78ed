#include "BatteryAlertsFeature.h"
#include "CompanionApp.h"
#include "DisplaySwitchFeature.h"
#include "FeatureBench.h"
#include "FeatureConfig.h"
#include "LaunchButtonFeature.h"
#include "MessageCatalogue.h"
#include "OemKeyTable.h"
#include "TrayFeatures.h"
#include "VolumeFeature.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

// Every feature of the list, as the tray builds them.
class TrayRouting : public ::testing::Test {
protected:
    void Build()
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

struct Row {
    uint16_t code;
    const char* key; // from the keyboard
    const char* bios; // from the firmware, with arguments 1, 2, 3, 4
};

// One row per OEM key, on a machine with Wireless Display and none of the
// parts the features will drive (no display-switch window, no launch-button
// executor, no audio object: Windows 8 shows the volume itself).
const Row kTable[] = {
    {0x003A, "ShowLockKey 101 0", "ShowLockKey 101 1"},
    {0xE045, "ShowLockKey 102 0", "ShowLockKey 102 1"},
    {0xE005, "ShowBrightness -1 0", "ShowBrightness 1 1"},
    {0xE006, "ShowBrightness 1 0", "ShowBrightness 1 1"},
    {0xE007, "BatteryButton", "BatteryButton"},
    {0xE008, "ShowRadio 0 0 0", "ShowRadio 131073 3 1"},
    {0xE009, "Eject", "Eject"},
    {0xE00A, "StartHibernate", "StartHibernate"},
    {0xE00B, "ShowDisplaySwitch 0 0 0 0", "ShowDisplaySwitch 1 2 3 1"},
    {0xE00C, "ShowKeyboardLight 0 0", "ShowKeyboardLight 1 1"},
    {0xE033, "ShowKeyboardLight 0 0", "ShowKeyboardLight 1 1"},
    {0xE034, "ShowKeyboardLight 0 0", "ShowKeyboardLight 1 1"},
    {0xE00D, "ProcessPowerAlert 0 0 0 0", "ProcessPowerAlert 1 1 2 262147"},
    {0xE00E, "RefreshBatteryStatus", "RefreshBatteryStatus"},
    {0xE011, "StartRadioConfiguration", "StartRadioConfiguration"},
    {0xE013, "ShowAmbientLightSensor 0 0", "ShowAmbientLightSensor 1 1"},
    {0xE01B, "StopTimer 32766;ShowDisplaySwitchPressed 0 0 0 0",
     "StopTimer 32766;ShowDisplaySwitchPressed 1 2 3 1"},
    {0xE09B, "", ""},
    {0xE020, "HideDisplaysForMute", ""},
    {0xE080, "HideDisplaysForMute", ""},
    {0xE0A0, "HideDisplaysForMute", ""},
    {0xE0AE, "HideDisplaysForMute", ""},
    {0xE02E, "", ""},
    {0xE030, "", ""},
    {0xE023, "", "StartWirelessDisplay"},
    {0xE025, "", ""},
    {0xE026, "OpenAudioPanel", "OpenAudioPanel"},
    {0xE027, "", ""},
    {0xE028, "StartLaunchButtonManager", "StartLaunchButtonManager"},
    {0xE029, "", ""},
    {0xE0F7, "", ""},
    {0xE0F8, "", ""},
    {0xE0F9, "", ""},
};

TEST(RoutingTable, CoversEveryOemKey)
{
    std::set<uint16_t> rows;
    for (const Row& row : kTable) rows.insert(row.code);
    EXPECT_EQ(rows, std::set<uint16_t>(kOemKeyCodes.begin(), kOemKeyCodes.end()));
}

TEST_F(TrayRouting, EachCodeFromEachSource)
{
    bench.capabilities.Set(34);
    Build();
    for (const Row& row : kTable) {
        EXPECT_EQ(bench.Key(row.code), row.key) << std::hex << row.code << " from the keyboard";
        EXPECT_EQ(bench.Bios(row.code), row.bios) << std::hex << row.code << " from the firmware";
    }
    // The radio program and the manager, once from each source, through the tray's starter.
    EXPECT_EQ(bench.started, (std::vector<std::wstring>{L"Aerolo.exe -HK", L"Aerolo.exe -HK", L"Actuo.exe ",
                                                        L"Actuo.exe "}));
}

TEST_F(TrayRouting, KeyMessageCarriesScanCodeAndExtendedFlag)
{
    Build();
    const auto viaMessage = [&](WPARAM scan, LPARAM extended) {
        return bench.Message(messages::kOemKeyMessage, scan, extended);
    };
    EXPECT_EQ(viaMessage(0x06, 1), "ShowBrightness 1 0");
    EXPECT_EQ(viaMessage(0x3A, 0), "ShowLockKey 101 0");
    EXPECT_EQ(viaMessage(0x06, 0), "");
    EXPECT_EQ(viaMessage(0x3A, 1), "");
    EXPECT_EQ(viaMessage(0x106, 1), "");
    EXPECT_EQ(viaMessage(WPARAM{0x10000003A}, 0), "");
}

TEST(KeylessModels, KeysAreIgnoredWhereTheFirmwareReportsThem)
{
    for (uint16_t id : {744, 746, 747, 745}) {
        FeatureBench bench;
        bench.systemId = id;
        CCompanionApp companion;
        CTrayFeatures features(bench.Context(), companion, std::make_unique<QuietHibernate>(),
                               std::make_unique<QuietAlertBoxes>());
        features.RegisterRoutes(bench.Dispatcher());
        EXPECT_EQ(bench.Key(0xE006), id == 745 ? "ShowBrightness 1 0" : "") << id;
        EXPECT_EQ(bench.Key(0x003A), id == 745 ? "ShowLockKey 101 0" : "") << id;
        EXPECT_EQ(bench.Bios(0xE006, 7), "ShowBrightness 7 1") << id;
    }
}

TEST_F(TrayRouting, ArgumentsAreCombinedAsTheDisplaysExpectThem)
{
    Build();
    EXPECT_EQ(bench.Bios(0xE005, 4, 0, 0, 0), "ShowBrightness 4 1");
    EXPECT_EQ(bench.Bios(0xE008, 0x0001, 0x8000, 0xFFFF), "ShowRadio 2147483649 65535 1");
    EXPECT_EQ(bench.Bios(0xE00D, 7, 9, 0x0002, 0x0001), "ProcessPowerAlert 1 7 9 65538");
    EXPECT_EQ(bench.Bios(0xE00B, 0x1203, 0xAB04, 0xFF07), "ShowDisplaySwitch 3 4 7 1");
}

TEST_F(TrayRouting, DisplaysHideTheOthersFirstButOtherEntriesDoNot)
{
    // With a lock-key option there is a lock-key display to show.
    bench.capabilities.Set(feature_config::kLockKeyOptionA);
    Build();
    const std::pair<uint16_t, OsdKind> displays[]
        = {{0x003A, OsdKind::LockKeys}, {0xE006, OsdKind::Brightness}, {0xE008, OsdKind::Radio},
           {0xE009, OsdKind::Eject},    {0xE00B, OsdKind::All},        {0xE00C, OsdKind::KeyboardLight}};
    for (const auto& [code, kind] : displays) {
        bench.osdHides.clear();
        bench.Bios(code);
        EXPECT_EQ(bench.osdHides, std::vector<OsdKind>{kind}) << std::hex << code;
    }
    bench.osdHides.clear();
    // The light sensor's dialog does not take part.
    for (uint16_t code : {0xE007, 0xE00A, 0xE00D, 0xE00E, 0xE013, 0xE026}) bench.Bios(code);
    EXPECT_TRUE(bench.osdHides.empty());
}

TEST_F(TrayRouting, FirmwareCodesThatDependOnCapabilities)
{
    bench.capabilities.Set(14);
    bench.capabilities.Set(34);
    Build();
    EXPECT_EQ(bench.Bios(0xE023), "StartWirelessDisplay");
    EXPECT_EQ(bench.Key(0xE023), "");
    EXPECT_EQ(bench.Bios(0xE029), "DesktopModeAdviceCheck");
    EXPECT_EQ(bench.Key(0xE029), "");
}

TEST_F(TrayRouting, BatteryMeterRefreshLetsTheNextBatteryKeyThrough)
{
    Build();
    EXPECT_TRUE(bench.Forwarder().TakeKey(0x0E, true));
    EXPECT_FALSE(bench.Forwarder().TakeKey(0x0E, true));
    bench.Bios(0xE00E);
    EXPECT_TRUE(bench.Forwarder().TakeKey(0x0E, true));
}

struct FakeAudio : IAudioEndpoint {
    bool muted = false;
    int posts = 0;
    int unmutes = 0;
    int rebinds = 0;
    void Start(HWND) override {}
    void Stop() override {}
    bool IsMuted() const override { return muted; }
    void SetOsdEnabled(bool) override {}
    void PostCurrentVolume() override { ++posts; }
    void UnmuteAndPostVolume() override { ++unmutes; }
    void Rebind() override { ++rebinds; }
};

TEST(VolumeFeature, FirmwareVolumeKeyUnmutesOnVistaInTheNewerStyle)
{
    struct Case {
        int style;
        bool vista;
        bool muted;
        const char* expected;
    };
    const Case cases[] = {
        {3, true, true, "UnmuteAudio"},
        {3, true, false, "ShowVolumeDisplay"},
        {3, false, true, "ShowVolumeDisplay"},
        {2, true, true, "ShowVolumeDisplay"},
    };
    for (const Case& c : cases) {
        FeatureBench bench;
        bench.osdStyle = c.style;
        if (c.vista) bench.capabilities.Set(32);
        auto audio = std::make_unique<FakeAudio>();
        audio->muted = c.muted;
        FakeAudio& seen = *audio;
        DisplayFlags flags;
        CVolumeFeature volume(bench.Context(), flags, std::move(audio));
        volume.RegisterRoutes(bench.Dispatcher());
        EXPECT_EQ(bench.Bios(0xE030), c.expected);
        EXPECT_EQ(bench.Bios(0xE02E), c.expected);
        EXPECT_EQ(bench.Key(0xE030), "ShowVolumeDisplay");
        EXPECT_EQ(seen.unmutes, c.expected == std::string("UnmuteAudio") ? 2 : 0);
        EXPECT_EQ(seen.posts, c.expected == std::string("UnmuteAudio") ? 1 : 3);
        EXPECT_TRUE(volume.IsAudioPresent());
    }
}

TEST(VolumeFeature, EndpointChangeRebindsTheAudioObjectWhereThereIsOne)
{
    for (bool withAudio : {false, true}) {
        FeatureBench bench;
        auto audio = withAudio ? std::make_unique<FakeAudio>() : nullptr;
        FakeAudio* seen = audio.get();
        DisplayFlags flags;
        CVolumeFeature volume(bench.Context(), flags, std::move(audio));
        volume.RegisterRoutes(bench.Dispatcher());
        EXPECT_EQ(bench.Registered(messages::kAudioEndpointChange), withAudio ? "RebindAudioEndpoint" : "");
        if (seen) {
            EXPECT_EQ(seen->rebinds, 1);
        }
        EXPECT_EQ(bench.Key(0xE030), withAudio ? "ShowVolumeDisplay" : "");
    }
}

struct FakeDisplaySwitch : IDisplaySwitchOsd {
    bool open = true;
    bool final = false;
    bool IsOpen() const override { return open; }
    bool IsFinal() const override { return final; }
};

TEST(DisplaySwitchFeature, ReleaseFinishesOrWaitsForTheCommit)
{
    FeatureBench bench;
    FakeDisplaySwitch osd;
    CDisplaySwitchFeature feature(bench.Context(), &osd);
    feature.RegisterRoutes(bench.Dispatcher());
    EXPECT_EQ(bench.Key(0xE09B), "StopTimer 32766;StartTimer 32766 500");
    EXPECT_EQ(bench.Timer(32766), "StopTimer 32766;CommitDisplaySwitch");
    osd.final = true;
    EXPECT_EQ(bench.Bios(0xE09B), "StopTimer 32766;FinishDisplaySwitch");
    osd.open = false;
    EXPECT_EQ(bench.Key(0xE09B), "");
    EXPECT_EQ(bench.Bios(0xE09B), "");
}

struct FakeExecutor : ILaunchButtonExecutor {
    bool startsManager = false;
    std::function<void()> during;
    int monitorState = 1;
    int resets = 0;
    HWND attached = reinterpret_cast<HWND>(1);
    bool Execute() override { return true; }
    bool ManagerStarted() const override { return startsManager; }
    void ToggleDisplay() override
    {
        if (during) during();
    }
    int MonitorState() const override { return monitorState; }
    void SetMonitorState(int state) override { monitorState = state; }
    void ResetSuspend() override { ++resets; }
    void Attach(HWND window) override { attached = window; }
};

class LaunchButton : public ::testing::Test {
protected:
    void Build(ILaunchButtonExecutor* with)
    {
        bench.systemId = systemId;
        feature
            = std::make_unique<CLaunchButtonFeature>(bench.Context(), with, suspend, [this] { return now; });
        feature->RegisterRoutes(bench.Dispatcher());
    }
    std::string MonitorPower(BYTE state)
    {
        std::vector<BYTE> record(sizeof(POWERBROADCAST_SETTING), 0);
        auto* setting = reinterpret_cast<POWERBROADCAST_SETTING*>(record.data());
        setting->PowerSetting
            = {0x02731015, 0x4510, 0x4526, {0x99, 0xE6, 0xE5, 0xA1, 0x7E, 0xBD, 0x1A, 0xEA}};
        setting->DataLength = 1;
        setting->Data[0] = state;
        return bench.Power(PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(record.data()));
    }

    uint16_t systemId = 500;
    uint64_t now = 100000;
    FeatureBench bench;
    CSuspendState suspend;
    FakeExecutor executor;
    std::unique_ptr<CLaunchButtonFeature> feature;
};

TEST_F(LaunchButton, PressesWithin500msAreIgnoredAndStillRecorded)
{
    Build(&executor);
    EXPECT_EQ(bench.Key(0xE025), ""); // at start-up
    now += 1000;
    EXPECT_EQ(bench.Key(0xE025), "RunLaunchButton");
    now += 300;
    EXPECT_EQ(bench.Key(0xE025), "");
    now += 300;
    EXPECT_EQ(bench.Bios(0xE025), ""); // 600 ms after the last acted-on press, 300 after the last
    now += 499;
    EXPECT_EQ(bench.Key(0xE025), "");
    now += 500;
    EXPECT_EQ(bench.Bios(0xE025), "RunLaunchButton");
}

TEST_F(LaunchButton, BringsAStartedManagerToTheFront)
{
    Build(&executor);
    now += 1000;
    executor.startsManager = true;
    EXPECT_EQ(bench.Key(0xE025), "RunLaunchButton;BringLaunchManagerToFront");
}

TEST_F(LaunchButton, NothingWithoutAnExecutor)
{
    Build(nullptr);
    now += 1000;
    EXPECT_EQ(bench.Key(0xE025), "");
    EXPECT_EQ(bench.Key(0xE027), "");
    EXPECT_EQ(MonitorPower(0), "");
}

TEST_F(LaunchButton, DisplayOffPressesAreDebounced)
{
    Build(&executor);
    EXPECT_EQ(bench.Key(0xE027), "ToggleDisplayOff");
    now += 300;
    EXPECT_EQ(bench.Bios(0xE027), "");
    now += 300;
    EXPECT_EQ(bench.Key(0xE027), "");
    now += 500;
    EXPECT_EQ(bench.Key(0xE027), "ToggleDisplayOff");
}

TEST_F(LaunchButton, ModelsWithTheIndicatorTellItFirstAndOnMonitorChanges)
{
    for (uint16_t id : {1217, 1218, 1219, 1220, 1239, 1240, 1325})
        EXPECT_TRUE(CLaunchButtonFeature::HasDisplayOffIndicator(id));
    for (uint16_t id : {1216, 1221, 1238, 1241, 1324, 1326})
        EXPECT_FALSE(CLaunchButtonFeature::HasDisplayOffIndicator(id));
    systemId = 1239;
    Build(&executor);
    EXPECT_EQ(bench.Key(0xE027), "SendDisplayOffIndicatorState;ToggleDisplayOff");
    ASSERT_EQ(bench.biosCalls.size(), 1u);
    EXPECT_EQ(bench.biosCalls[0].cbClass, 0x63);
    EXPECT_EQ(bench.biosCalls[0].cbSelect, 0x63);
    EXPECT_EQ(bench.biosCalls[0].cbArg2, 0u) << "the display was on";
    // Going off from on waits longer than any other change.
    EXPECT_EQ(MonitorPower(0),
              "ScheduleDisplayOffIndicator 0;StartTimer 33273 500;SetExecutorMonitorState 0");
    EXPECT_EQ(executor.monitorState, 0);
    EXPECT_EQ(bench.Timer(33273), "StopTimer 33273;UpdateDisplayOffIndicator");
    ASSERT_EQ(bench.biosCalls.size(), 2u);
    EXPECT_EQ(bench.biosCalls[1].cbArg2, 1u) << "the display is off: the indicator lights";
    EXPECT_EQ(MonitorPower(0), "ScheduleDisplayOffIndicator 0;StartTimer 33273 50;SetExecutorMonitorState 0");
    suspend.Set(true);
    EXPECT_EQ(MonitorPower(1), "SetExecutorMonitorState 1");
    feature->Suspending();
    EXPECT_EQ(bench.Entries(), "ScheduleDisplayOffIndicator 1;StartTimer 33273 50");
    bench.Timer(33273);
    EXPECT_EQ(bench.biosCalls.back().cbArg2, 0u);
}

TEST_F(LaunchButton, StartAttachesTheWindowAndTheResumeResetsTheExecutor)
{
    Build(&executor);
    feature->Start();
    EXPECT_EQ(executor.attached, bench.Handle());
    feature->ResetLaunchButtonExecutor();
    feature->ResetLaunchButtonExecutor();
    EXPECT_EQ(executor.resets, 2);
    EXPECT_EQ(bench.Entries(), "ResetLaunchButtonExecutor;ResetLaunchButtonExecutor");
}

TEST_F(LaunchButton, TheTraysOwnDisplayOffPressIsNotReportedBack)
{
    systemId = 1239;
    Build(&executor);
    now += 1000;
    std::string duringPress = "not called";
    executor.during = [&] { duringPress = MonitorPower(0); };
    bench.Dispatcher().DispatchKey(0xE027);
    EXPECT_EQ(duringPress, "");
    EXPECT_EQ(MonitorPower(1), "ScheduleDisplayOffIndicator 1;StartTimer 33273 50;SetExecutorMonitorState 1");
}

TEST_F(LaunchButton, MalformedPowerSettingsAreIgnored)
{
    Build(&executor);
    EXPECT_EQ(bench.Power(PBT_POWERSETTINGCHANGE, 0), "");
    std::vector<BYTE> other(sizeof(POWERBROADCAST_SETTING), 0);
    reinterpret_cast<POWERBROADCAST_SETTING*>(other.data())->DataLength = 1;
    EXPECT_EQ(bench.Power(PBT_POWERSETTINGCHANGE, reinterpret_cast<LPARAM>(other.data())), "");
}

} // namespace
