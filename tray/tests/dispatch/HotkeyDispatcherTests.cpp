#include "HotkeyDispatcher.h"
#include "KeyForwarder.h"
#include "OemKeyTable.h"
#include "RecordingTrayEntries.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class DispatcherTest : public ::testing::Test {
protected:
    // Built on first use, so that a test can set the machine up first.
    CHotkeyDispatcher& Dispatcher()
    {
        if (!dispatcher) dispatcher = std::make_unique<CHotkeyDispatcher>(entries, forwarder);
        return *dispatcher;
    }
    std::string Key(uint16_t code)
    {
        entries.calls.clear();
        Dispatcher().OnKey(code);
        return entries.Calls();
    }
    std::string Bios(uint16_t code, uint16_t a1 = 1, uint16_t a2 = 2, uint16_t a3 = 3,
                     uint16_t a4 = 4)
    {
        entries.calls.clear();
        Dispatcher().OnBiosEvent(code, a1, a2, a3, a4);
        return entries.Calls();
    }

    RecordingTrayEntries entries;
    CKeyForwarder forwarder;
    std::unique_ptr<CHotkeyDispatcher> dispatcher;
};

struct Row {
    uint16_t code;
    const char* key;   // from the keyboard
    const char* bios;  // from the firmware, with arguments 1, 2, 3, 4
};

// One row per OEM key, on a plain machine: no capability bits, classic
// style, a launch-button executor, an open display-switch window.
const Row kTable[] = {
    {0x003A, "ShowLockKey(101,0)", "ShowLockKey(101,1)"},
    {0xE045, "ShowLockKey(102,0)", "ShowLockKey(102,1)"},
    {0xE005, "ShowBrightness(-1,0)", "ShowBrightness(1,1)"},
    {0xE006, "ShowBrightness(1,0)", "ShowBrightness(1,1)"},
    {0xE007, "BatteryButton()", "BatteryButton()"},
    {0xE008, "ShowRadio(0,0,0)", "ShowRadio(131073,3,1)"},
    {0xE009, "Eject()", "Eject()"},
    {0xE00A, "StartHibernate()", "StartHibernate()"},
    {0xE00B, "ShowDisplaySwitch(0,0,0,0)", "ShowDisplaySwitch(1,2,3,1)"},
    {0xE00C, "ShowKeyboardLight(0,0)", "ShowKeyboardLight(1,1)"},
    {0xE033, "ShowKeyboardLight(0,0)", "ShowKeyboardLight(1,1)"},
    {0xE034, "ShowKeyboardLight(0,0)", "ShowKeyboardLight(1,1)"},
    {0xE00D, "QueryBiosMessage()", "ShowBiosMessage(1,2,262147)"},
    {0xE00E, "RefreshBatteryHealth()", "RefreshBatteryHealth()"},
    {0xE011, "StartRadioConfiguration()", "StartRadioConfiguration()"},
    {0xE013, "ShowAmbientLightSensor(0,0)", "ShowAmbientLightSensor(1,1)"},
    {0xE01B, "StopTimer(32766);ShowDisplaySwitchPressed(0,0,0,0)",
     "StopTimer(32766);ShowDisplaySwitchPressed(1,2,3,1)"},
    {0xE09B, "StopTimer(32766);StartTimer(32766,500)", "StopTimer(32766);StartTimer(32766,500)"},
    {0xE020, "HideDisplaysForMute()", ""},
    {0xE080, "HideDisplaysForMute()", ""},
    {0xE0A0, "HideDisplaysForMute()", ""},
    {0xE0AE, "HideDisplaysForMute()", ""},
    {0xE02E, "ShowVolumeDisplay()", "ShowVolumeDisplay()"},
    {0xE030, "ShowVolumeDisplay()", "ShowVolumeDisplay()"},
    {0xE023, "", "ShowMessage(23)"},
    {0xE025, "RunLaunchButton()", "RunLaunchButton()"},
    {0xE026, "OpenAudioPanel()", "OpenAudioPanel()"},
    {0xE027, "ToggleDisplayOff()", "ToggleDisplayOff()"},
    {0xE028, "StartLaunchButtonManager()", "StartLaunchButtonManager()"},
    {0xE029, "", ""},
    {0xE0F7, "", ""},
    {0xE0F8, "", ""},
    {0xE0F9, "", ""},
};

TEST(DispatchTable, CoversEveryOemKey)
{
    std::set<uint16_t> rows;
    for (const Row& row : kTable) rows.insert(row.code);
    EXPECT_EQ(rows, std::set<uint16_t>(kOemKeyCodes.begin(), kOemKeyCodes.end()));
}

TEST(DispatchTable, EachCodeFromEachSource)
{
    for (const Row& row : kTable) {
        for (bool fromBios : {false, true}) {
            RecordingTrayEntries entries;
            CKeyForwarder forwarder;
            CHotkeyDispatcher dispatcher(entries, forwarder);
            entries.now += 1000;  // past the start-up debounce of the launch button
            if (fromBios) {
                dispatcher.OnBiosEvent(row.code, 1, 2, 3, 4);
            } else {
                dispatcher.OnKey(row.code);
            }
            EXPECT_EQ(entries.Calls(), fromBios ? row.bios : row.key)
                << std::hex << row.code << (fromBios ? " from the firmware" : " from the keyboard");
        }
    }
}

TEST_F(DispatcherTest, CodesOutsideTheKeyTableDoNothing)
{
    for (uint16_t code : {0x0000, 0x0005, 0xE001, 0xE03A, 0x00F7, 0xFFFF}) {
        EXPECT_EQ(Key(code), "") << std::hex << code;
        EXPECT_EQ(Bios(code), "") << std::hex << code;
    }
}

TEST_F(DispatcherTest, KeyMessageCarriesScanCodeAndExtendedFlag)
{
    const auto viaMessage = [&](WPARAM scan, LPARAM extended) {
        entries.calls.clear();
        Dispatcher().OnKeyMessage(scan, extended);
        return entries.Calls();
    };
    EXPECT_EQ(viaMessage(0x06, 1), "ShowBrightness(1,0)");
    EXPECT_EQ(viaMessage(0x3A, 0), "ShowLockKey(101,0)");
    EXPECT_EQ(viaMessage(0x06, 0), "");
    EXPECT_EQ(viaMessage(0x3A, 1), "");
    EXPECT_EQ(viaMessage(0x106, 1), "");
    EXPECT_EQ(viaMessage(WPARAM{0x10000003A}, 0), "");
}

TEST_F(DispatcherTest, KeysAreIgnoredOnModelsWhoseFirmwareReportsThem)
{
    for (uint16_t id : {744, 746, 747}) {
        entries.systemId = id;
        EXPECT_EQ(Key(0xE006), "") << id;
        EXPECT_EQ(Key(0x003A), "") << id;
        EXPECT_EQ(Bios(0xE006, 7), "ShowBrightness(7,1)") << id;
    }
    entries.systemId = 745;
    EXPECT_EQ(Key(0xE006), "ShowBrightness(1,0)");
}

TEST_F(DispatcherTest, ArgumentsAreCombinedAsTheDisplaysExpectThem)
{
    // Brightness from the firmware is a level, from the key a step.
    EXPECT_EQ(Bios(0xE005, 4, 0, 0, 0), "ShowBrightness(4,1)");
    EXPECT_EQ(Key(0xE005), "ShowBrightness(-1,0)");
    EXPECT_EQ(Bios(0xE008, 0x0001, 0x8000, 0xFFFF), "ShowRadio(2147483649,65535,1)");
    EXPECT_EQ(Bios(0xE00D, 7, 9, 0x0002, 0x0001), "ShowBiosMessage(7,9,65538)");
    EXPECT_EQ(Bios(0xE00B, 0x1203, 0xAB04, 0xFF07), "ShowDisplaySwitch(3,4,7,1)");
}

// Without the capabilities (the table above) 0xE023 shows its message and
// 0xE029 does nothing; the keyboard's 0xE023 never acts.
TEST_F(DispatcherTest, FirmwareCodesThatDependOnCapabilities)
{
    entries.capabilities = {14, 34};
    EXPECT_EQ(Bios(0xE023), "StartWirelessDisplay()");
    EXPECT_EQ(Key(0xE023), "");
    EXPECT_EQ(Bios(0xE029), "DesktopModeAdviceCheck()");
    EXPECT_EQ(Key(0xE029), "");
}

TEST_F(DispatcherTest, FirmwareVolumeKeyUnmutesOnVistaInTheNewerStyle)
{
    struct Case {
        int style;
        bool vista;
        bool muted;
        const char* expected;
    };
    const Case cases[] = {
        {3, true, true, "UnmuteAudio()"},       {3, true, false, "ShowVolumeDisplay()"},
        {3, false, true, "ShowVolumeDisplay()"}, {2, true, true, "ShowVolumeDisplay()"},
    };
    for (const Case& c : cases) {
        entries.osdStyle = c.style;
        entries.capabilities = c.vista ? std::set<int>{32} : std::set<int>{};
        entries.audioMuted = c.muted;
        EXPECT_EQ(Bios(0xE030), c.expected);
        EXPECT_EQ(Bios(0xE02E), c.expected);
        EXPECT_EQ(Key(0xE030), "ShowVolumeDisplay()");
    }
}

TEST_F(DispatcherTest, DisplaySwitchReleaseFinishesOrWaitsForTheCommit)
{
    entries.displaySwitchFinal = true;
    EXPECT_EQ(Key(0xE09B), "StopTimer(32766);FinishDisplaySwitch()");
    entries.displaySwitchWindow = false;
    EXPECT_EQ(Key(0xE09B), "");
    EXPECT_EQ(Bios(0xE09B), "");
}

TEST_F(DispatcherTest, LaunchButtonPressesWithin500msAreIgnoredAndStillRecorded)
{
    Dispatcher();
    EXPECT_EQ(Key(0xE025), "");  // at start-up
    entries.now += 1000;
    EXPECT_EQ(Key(0xE025), "RunLaunchButton()");
    entries.now += 300;
    EXPECT_EQ(Key(0xE025), "");
    entries.now += 300;
    EXPECT_EQ(Bios(0xE025), "");  // 600 ms after the last acted-on press, 300 after the last
    entries.now += 499;
    EXPECT_EQ(Key(0xE025), "");
    entries.now += 500;
    EXPECT_EQ(Bios(0xE025), "RunLaunchButton()");
}

TEST_F(DispatcherTest, LaunchButtonBringsAStartedManagerToTheFront)
{
    Dispatcher();
    entries.now += 1000;
    entries.launchStartsManager = true;
    EXPECT_EQ(Key(0xE025), "RunLaunchButton();BringLaunchManagerToFront()");
    entries.now += 1000;
    entries.launchExecutor = false;
    EXPECT_EQ(Key(0xE025), "");
}

TEST_F(DispatcherTest, DisplayOffPressesAreDebouncedAndTellTheIndicatorFirst)
{
    EXPECT_EQ(Key(0xE027), "ToggleDisplayOff()");
    entries.now += 300;
    EXPECT_EQ(Bios(0xE027), "");
    entries.now += 300;
    EXPECT_EQ(Key(0xE027), "");
    entries.now += 500;
    entries.displayOffIndicator = true;
    EXPECT_EQ(Key(0xE027), "SendDisplayOffIndicatorState();ToggleDisplayOff()");
    entries.now += 500;
    entries.launchExecutor = false;
    EXPECT_EQ(Key(0xE027), "");
}

TEST_F(DispatcherTest, DisplayOffIsBusyOnlyWhileAPressIsHandled)
{
    bool busyDuringToggle = false;
    entries.duringDisplayToggle = [&] { busyDuringToggle = Dispatcher().IsDisplayOffBusy(); };
    EXPECT_FALSE(Dispatcher().IsDisplayOffBusy());
    Key(0xE027);
    EXPECT_TRUE(busyDuringToggle);
    EXPECT_FALSE(Dispatcher().IsDisplayOffBusy());
}

TEST(KeyForwarder, HibernateAndBatteryMeterKeysPassOnceUntilTheirWorkIsDone)
{
    CKeyForwarder forwarder;
    EXPECT_TRUE(forwarder.TakeKey(0x0A, true));
    EXPECT_FALSE(forwarder.TakeKey(0x0A, true));
    EXPECT_TRUE(forwarder.TakeKey(0x0E, true));
    EXPECT_FALSE(forwarder.TakeKey(0x0E, true));
    // Other keys, and the same scan codes without the E0 prefix, always pass.
    EXPECT_TRUE(forwarder.TakeKey(0x0A, false));
    EXPECT_TRUE(forwarder.TakeKey(0x0E, false));
    EXPECT_TRUE(forwarder.TakeKey(0x06, true));
    EXPECT_TRUE(forwarder.TakeKey(0x06, true));

    forwarder.ClearHibernateGuard();
    EXPECT_TRUE(forwarder.TakeKey(0x0A, true));
    EXPECT_FALSE(forwarder.TakeKey(0x0E, true));
    forwarder.ClearBatteryMeterGuard();
    EXPECT_TRUE(forwarder.TakeKey(0x0E, true));
    EXPECT_FALSE(forwarder.TakeKey(0x0A, true));
}

TEST_F(DispatcherTest, BatteryMeterRefreshLetsTheNextBatteryMeterKeyThrough)
{
    EXPECT_TRUE(forwarder.TakeKey(0x0E, true));
    EXPECT_FALSE(forwarder.TakeKey(0x0E, true));
    EXPECT_EQ(Key(0xE00E), "RefreshBatteryHealth()");
    EXPECT_TRUE(forwarder.TakeKey(0x0E, true));
    EXPECT_EQ(Bios(0xE00E), "RefreshBatteryHealth()");
    EXPECT_TRUE(forwarder.TakeKey(0x0E, true));
    // Starting hibernation does not end it: the guard stays until the worker finishes.
    EXPECT_TRUE(forwarder.TakeKey(0x0A, true));
    EXPECT_EQ(Key(0xE00A), "StartHibernate()");
    EXPECT_FALSE(forwarder.TakeKey(0x0A, true));
}

} // namespace
