// Tavrin.exe on the simulated notebook: firmware events raised by simctl,
// keys typed into another process's window and power notices, followed
// through the tray's dispatch trace.
#include "TrayDispatchFixture.h"

namespace {

TEST_F(TrayDispatch, FirmwareEventsReachTheDispatcherWithTheirArguments)
{
    Simctl(L"event 0xE005 5");
    EXPECT_EQ(UntilMarker(),
              (Lines{"bios 0xE005 5 0 0 0", "entry ShowBrightness 5 1", "entry DrawBrightnessLevel 5"}));

    Simctl(L"event-list 0xE005 5 0xE008 1 2 3 4");
    EXPECT_EQ(UntilMarker(),
              (Lines{"bios 0xE005 5 0 0 0", "entry ShowBrightness 5 1", "entry DrawBrightnessLevel 5",
                     "bios 0xE008 1 2 3 4", "entry ShowRadio 131073 3 1"}));

    // Code 7 is no alert: nothing is shown.
    Simctl(L"event 0xE00D 7 2 3 4");
    EXPECT_EQ(UntilMarker(), (Lines{"bios 0xE00D 7 2 3 4", "entry ProcessPowerAlert 1 7 2 262147"}));
}

HWND FindMessageBox(DWORD processId)
{
    return FindBox(processId).window;
}

int MessageBoxCount(DWORD processId)
{
    return static_cast<int>(FindBoxes(processId).size());
}

TEST_F(TrayDispatch, WirelessDisplayEventWithoutTheApplicationShowsTheInstallMessage)
{
    Simctl(L"event 0xE023");
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = FindMessageBox(m_tray.id)) != nullptr; }, 10000)) << "no message";
    wchar_t text[256] = {};
    ::GetWindowTextW(box, text, 256);
    EXPECT_STREQ(text, L"Tavrin");
    ::GetDlgItemTextW(box, 0xFFFF, text, 256);
    EXPECT_STREQ(text, L"Please install Intel\u00AE Wireless Display before using this feature.");
    // The box's own message loop keeps the tray dispatching, and a repeat
    // while the box is open adds no second box.
    EXPECT_TRUE(Simctl(L"event --repeat 5 0xE023").empty());
    EXPECT_EQ(UntilMarker(), (Lines{"bios 0xE023 0 0 0 0", "entry ShowMessage 23", "bios 0xE023 0 0 0 0",
                                    "bios 0xE023 0 0 0 0", "bios 0xE023 0 0 0 0", "bios 0xE023 0 0 0 0",
                                    "bios 0xE023 0 0 0 0"}));
    EXPECT_EQ(MessageBoxCount(m_tray.id), 1);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return FindMessageBox(m_tray.id) == nullptr; }, 5000));
    // Once it is closed the key shows it again.
    Simctl(L"event 0xE023");
    EXPECT_TRUE(WaitFor([&] { return FindMessageBox(m_tray.id) != nullptr; }, 10000)) << "no second message";
    ::PostMessageW(FindMessageBox(m_tray.id), WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return FindMessageBox(m_tray.id) == nullptr; }, 5000));
}

TEST_F(TrayDispatch, ForeignUnknownAndMalformedEventsDispatchNothing)
{
    for (const wchar_t* event : {
             L"event 0x1234 1", // not an OEM key
             L"event 0x0045 1", // the Num Lock code without its prefix
             L"event-list 0x000F 0xE005 5", // a list that starts with a code of no known length
             L"event --class SomeOtherEvent 0xE005 5",
             L"event --data number 0xE005 5",
             L"event --data missing 0xE005 5",
             L"event --bytes 3 0xE005 5", // too short to hold a code
             L"event-raw 0xFFFF 0xFFFF",
             L"event-raw --bytes 0",
         }) {
        Simctl(event);
        EXPECT_EQ(UntilMarker(), Lines{}) << event;
    }
    EXPECT_TRUE(IsResponsive());
}

TEST_F(TrayDispatch, OemKeysThroughTheHookReachTheKeyDispatcher)
{
    // Hibernate twice while its worker has not ended: forwarded once. The
    // display-switch key reports its release as a code of its own. 'A' is no OEM key.
    EXPECT_EQ(TypedKeys(L"d:E00A u:E00A d:E00A u:E00A d:E01B u:E01B d:001E u:001E"),
              (Lines{"key 0xE00A", "key 0xE01B", "key 0xE09B"}));

    // The Wireless Display key means something only when the firmware
    // reports it. (Its release is dropped when the press still waits.)
    const Lines wirelessDisplay = TypedKeys(L"d:E023 u:E023", "");
    EXPECT_FALSE(wirelessDisplay.empty());
    for (const std::string& line : wirelessDisplay) EXPECT_EQ(line, "key 0xE023");
}

// Another process sits on the key queue while the tray starts: start-up
// goes on at once, and the keys work as soon as the queue is free again.
class TrayDispatchWithHeldKeyQueue : public TrayDispatch {
protected:
    void SetUp() override
    {
        const ULONGLONG start = ::GetTickCount64();
        TrayDispatch::SetUp();
        m_plainStartMs = ::GetTickCount64() - start;
    }

    // Starts the tray again while the queue is held; how long start-up took.
    ULONGLONG StartWithHeldQueue()
    {
        Stop(m_tray);
        m_tray = {};
        UniqueHandle queueMutex(::CreateMutexW(nullptr, TRUE, L"keyQueueMutex"));
        EXPECT_TRUE(queueMutex);
        const ULONGLONG start = ::GetTickCount64();
        m_tray = StartProgram(L"Tavrin.exe", L"");
        EXPECT_TRUE(WaitFor([] { return FindTray() != nullptr; })) << "no tray window";
        EXPECT_TRUE(WaitUntilDispatching());
        const ULONGLONG took = ::GetTickCount64() - start;
        ::ReleaseMutex(queueMutex.get());
        return took;
    }

    ULONGLONG m_plainStartMs = 0;
};

TEST_F(TrayDispatchWithHeldKeyQueue, StartsWithoutWaitingAndTheHotkeysWorkOnceTheQueueIsFree)
{
    // The reader's bounded wait is 5 s: a start-up that sat through it would
    // take that much longer than a plain one.
    const ULONGLONG held = StartWithHeldQueue();
    EXPECT_LT(held, m_plainStartMs + 2500)
        << "start-up waited for the key queue (plain start " << m_plainStartMs << " ms)";
    EXPECT_EQ(TypedKeys(L"d:E01B u:E01B"), (Lines{"key 0xE01B", "key 0xE09B"}));
}

TEST_F(TrayDispatch, SuspendResumeAndPowerSourceNotices)
{
    Simctl(L"clear-calls");
    Simctl(L"suspend");
    EXPECT_EQ(UntilMarker(), (Lines{"entry ClearPendingHibernate"}));
    Simctl(L"resume");
    EXPECT_EQ(UntilMarker(), (Lines{"entry ClearPendingHibernate", "entry ResetLaunchButtonExecutor",
                                    "entry ReportVersionToBios 1", "entry StartDelayedBiosMessageQuery",
                                    "entry RefreshBatteryStatus"}));
    const auto calls = VersionCalls();
    ASSERT_EQ(calls.size(), 1u) << "the resume reports the version again";
    EXPECT_EQ(calls[0].arg3, 138u);
    EXPECT_EQ(calls[0].arg4, 1u);

    Simctl(L"set ac 0");
    EXPECT_EQ(UntilMarker(), (Lines{"entry PowerSourceChanged", "entry RefreshBrightnessDisplay"}));
    Simctl(L"set ac 1");
    EXPECT_EQ(UntilMarker(), (Lines{"entry PowerSourceChanged", "entry RefreshBrightnessDisplay"}));
}

TEST_F(TrayDispatch, MessagesFromOtherProcessesAreCheckedBeforeUse)
{
    HWND tray = FindTray();
    // A power-setting notice whose record is not there to read.
    ::PostMessageW(tray, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, 0x10);
    ::PostMessageW(tray, WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, LPARAM{0x7FFFFFFF0000});
    const UINT ebl = ::RegisterWindowMessageW(L"Tavrin - TOGGLE_EBL_STATE");
    ::PostMessageW(tray, ebl, 7, 0);
    ::PostMessageW(tray, ebl, 1, 0);
    ::PostMessageW(tray, ::RegisterWindowMessageW(L"Tavrin - BRIGHTNESS_CHANGE"), 500, 0);
    EXPECT_EQ(UntilMarker(), (Lines{"entry ToggleExtendedBatteryLife 1", "entry ShowBrightnessPercent 100"}));
    EXPECT_TRUE(IsResponsive());
}

TEST_F(TrayDispatch, StormsLeaveItResponsiveWithoutLeakingHandles)
{
    Simctl(L"event 0xE005 5");
    Type(L"d:E005 u:E005");
    UntilMarker();
    const DWORD handlesBefore = HandleCount();
    ASSERT_GT(handlesBefore, 0u);

    using Clock = std::chrono::steady_clock;
    auto start = Clock::now();
    Simctl(L"event --repeat 1000 0xE005 5");
    const Lines afterEvents = UntilMarker();
    const auto eventMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_FALSE(afterEvents.empty());
    for (const std::string& line : afterEvents)
        EXPECT_TRUE(line == "bios 0xE005 5 0 0 0" || line == "entry ShowBrightness 5 1"
                    || line == "entry DrawBrightnessLevel 5")
            << line;

    std::wstring strokes;
    for (int i = 0; i < 500; ++i) strokes += L"d:E006 u:E006 ";
    start = Clock::now();
    const Lines keys = TypedKeys(strokes);
    const auto keyMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_FALSE(keys.empty());
    for (const std::string& line : keys) EXPECT_EQ(line, "key 0xE006");

    EXPECT_TRUE(IsResponsive());
    UntilMarker();
    const DWORD handlesAfter = HandleCount();
    EXPECT_LE(handlesAfter, handlesBefore + 8) << "handles before " << handlesBefore;
    std::printf("storm: %zu of 1000 firmware events dispatched in %lld ms; %zu of 1000 keys in %lld ms; "
                "handles %lu -> %lu\n",
                afterEvents.size() / 2, static_cast<long long>(eventMs), keys.size(),
                static_cast<long long>(keyMs), handlesBefore, handlesAfter);
}

} // namespace
