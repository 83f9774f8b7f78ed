#include "ProgramRun.h"
#include "TrayTestSupport.h"
#include <string>
#include <vector>

// Tavrin.exe against the simulated notebook, observed from outside: its
// window, the registry and the firmware call log.
namespace {

using namespace std::string_literals;

// Wine's shell shows notification-area icons as child windows of its own
// tray window; nothing but the tray adds icons in the test prefix.
bool IsClass(HWND hwnd, const wchar_t* name)
{
    wchar_t text[64] = {};
    ::GetClassNameW(hwnd, text, 64);
    return wcscmp(text, name) == 0;
}

bool HasTrayIcon()
{
    bool found = false;
    ::EnumWindows(
        [](HWND tray, LPARAM lp) -> BOOL {
            ::EnumChildWindows(
                tray,
                [](HWND child, LPARAM result) -> BOOL {
                    *reinterpret_cast<bool*>(result)
                        |= IsClass(child, L"__winex11_tray_icon") && ::IsWindowVisible(child);
                    return TRUE;
                },
                lp);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// The key reader creates the DLL's wake-up event when it first waits.
bool KeyReaderWaits()
{
    UniqueHandle event(::OpenEventW(SYNCHRONIZE, FALSE, L"PKU_Tvr"));
    return static_cast<bool>(event);
}

using TrayProcess = TrayTest;

TEST_F(TrayProcess, StartsHiddenReportsItsVersionAndStopsOnRequest)
{
    settings.Delete(L"DlgDisablerBRG");
    Process tray = StartProgram(L"Tavrin.exe", L"");
    ASSERT_TRUE(tray.process);
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; })) << "no tray window";
    HWND window = FindTray();
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_EQ(::GetParent(window), nullptr);
    EXPECT_EQ(::GetWindow(window, GW_OWNER), nullptr);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    EXPECT_EQ(owner, tray.id);

    EXPECT_TRUE(WaitFor(HasTrayIcon, 5000)) << "no notification-area icon";
    // The Mobility Center entries come last in the start-up, after the
    // firmware-event subscription, which takes a while on a busy machine.
    EXPECT_TRUE(WaitFor([&] { return branding.Exists(L"OEMName"); }, 10000)) << "start-up did not finish";
    EXPECT_EQ(branding.GetRaw(L"OEMName"), TestBinFolder() + L"Tessel.exe,210\0"s);
    EXPECT_EQ(branding.GetRaw(L"TileOrder"),
              L"Volume\0Battery\0ALS\0BacklitKB\0Bluetooth\0FnKey\0TouchPad\0Pellick\0WiFiSwitch\0\0"s);

    auto calls = VersionCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].arg1, 0x10000u);
    EXPECT_EQ(calls[0].arg2, 0x5456524Eu);
    EXPECT_EQ(calls[0].arg3, 138u);
    EXPECT_EQ(calls[0].arg4, 1u);

    Stop(tray);
    EXPECT_EQ(FindTray(), nullptr);
    EXPECT_TRUE(WaitFor([] { return !HasTrayIcon(); }, 5000)) << "icon left behind";
    calls = VersionCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].arg3, 138u);
    EXPECT_EQ(calls[1].arg4, 0u);
    // A display switch the user left alone is not written at the end.
    EXPECT_FALSE(settings.Exists(L"DlgDisablerBRG"));
}

TEST_F(TrayProcess, SecondCopyEndsAndTheFirstKeepsRunning)
{
    Process first = StartProgram(L"Tavrin.exe", L"");
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; }));
    HWND window = FindTray();

    Process second = StartProgram(L"Tavrin.exe", L"");
    ASSERT_TRUE(second.process);
    EXPECT_EQ(second.WaitExit(15000), 0u);
    EXPECT_EQ(first.WaitExit(0), DWORD{STILL_ACTIVE});
    EXPECT_EQ(FindTray(), window);
    // Both copies reported their start; the second reported no end.
    auto calls = VersionCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].arg4, 1u);
    EXPECT_EQ(calls[1].arg4, 1u);
    Stop(first);
}

TEST_F(TrayProcess, NoIconWithoutShowTrayIconAndExitFromTheMenuCloses)
{
    settings.Delete(L"ShowTrayIcon");
    Process tray = StartProgram(L"Tavrin.exe", L"");
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; }));
    // The icon would have been added long before the last start-up step.
    ASSERT_TRUE(WaitFor([&] { return branding.Exists(L"OEMName"); }, 10000)) << "start-up did not finish";
    EXPECT_FALSE(HasTrayIcon());
    ::PostMessageW(FindTray(), WM_COMMAND, MAKEWPARAM(32776, 0), 0);
    EXPECT_EQ(tray.WaitExit(15000), 0u);
    EXPECT_EQ(VersionCalls().size(), 2u);
}

TEST_F(TrayProcess, KeyboardDllOnlyWhenConfigured)
{
    Process hooked = StartProgram(L"Tavrin.exe", L"");
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; }));
    EXPECT_TRUE(WaitFor([&] { return HasModule(hooked.id, L"Zelkey.dll") && KeyReaderWaits(); }, 5000));
    Stop(hooked);

    settings.SetDword(L"TavrinControl", 0x8000);
    branding.Delete(L"OEMName");
    Process plain = StartProgram(L"Tavrin.exe", L"");
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; }));
    // The DLL is loaded before the last start-up step.
    ASSERT_TRUE(WaitFor([&] { return branding.Exists(L"OEMName"); }, 10000)) << "start-up did not finish";
    EXPECT_FALSE(HasModule(plain.id, L"Zelkey.dll"));
    Stop(plain);
}

TEST_F(TrayProcess, ReleaseRequestBeforeCloseReleasesOnce)
{
    TraceFile trace;
    Process tray = StartProgram(L"Tavrin.exe", L"");
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; }));
    ASSERT_TRUE(WaitFor([&] { return HasModule(tray.id, L"Zelkey.dll"); }, 5000));
    ASSERT_TRUE(WaitFor([&] { return branding.Exists(L"OEMName"); }, 10000)) << "start-up did not finish";
    DWORD_PTR result = 0;
    // A sent WM_QUIT releases the hook and the session registration without
    // closing; the close that follows must not release them again.
    ASSERT_TRUE(::SendMessageTimeoutW(FindTray(), WM_QUIT, 0, 0, SMTO_BLOCK, 10000, &result));
    EXPECT_TRUE(WaitFor([&] { return !HasModule(tray.id, L"Zelkey.dll"); }, 5000));
    EXPECT_NE(FindTray(), nullptr);
    // Firmware events are still taken: the subscription belongs to the close.
    EXPECT_TRUE(Simctl(L"event 0xE0F7").empty());
    EXPECT_TRUE(WaitFor([&] { return trace.Count("bios 0xE0F7 0 0 0 0") > 0; }, 10000));
    Stop(tray);
    auto calls = VersionCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].arg4, 0u);
}

TEST_F(TrayProcess, EndOfTheSessionShutsDownOnce)
{
    Process tray = StartProgram(L"Tavrin.exe", L"");
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; }));
    ASSERT_TRUE(WaitFor([&] { return branding.Exists(L"OEMName"); }, 10000)) << "start-up did not finish";
    DWORD_PTR result = 0;
    ASSERT_TRUE(::SendMessageTimeoutW(FindTray(), WM_QUERYENDSESSION, 0, 0, SMTO_BLOCK, 10000, &result));
    EXPECT_EQ(result, TRUE);
    ASSERT_TRUE(::SendMessageTimeoutW(FindTray(), WM_ENDSESSION, TRUE, 0, SMTO_BLOCK, 10000, &result));
    // The end is reported while the session ends, not when a close may come.
    auto calls = VersionCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].arg4, 0u);
    EXPECT_TRUE(WaitFor([&] { return !HasModule(tray.id, L"Zelkey.dll"); }, 5000));
    Stop(tray);
    EXPECT_EQ(VersionCalls().size(), 2u) << "the shutdown ran twice";
}

TEST_F(TrayProcess, TheIconFollowsShowTrayIconAtTheNextDisplay)
{
    TraceFile trace;
    Process tray = StartProgram(L"Tavrin.exe", L"");
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; }));
    ASSERT_TRUE(WaitFor(HasTrayIcon, 10000)) << "no icon at start";
    settings.SetDword(L"ShowTrayIcon", 0);
    ASSERT_TRUE(WaitFor(
        [&] {
            Simctl(L"event 0xE006 4");
            return WaitFor([&] { return trace.Count("entry ShowBrightness 4 1") > 0; }, 500);
        },
        20000))
        << "firmware events not dispatched";
    EXPECT_TRUE(WaitFor([] { return !HasTrayIcon(); }, 5000)) << "icon still shown";
    settings.SetDword(L"ShowTrayIcon", 1);
    EXPECT_TRUE(Simctl(L"event 0xE006 5").empty());
    EXPECT_TRUE(WaitFor(HasTrayIcon, 5000)) << "icon not added back";
    Stop(tray);
}

TEST_F(TrayProcess, RepeatedDoubleClicksStartTheCompanionOnce)
{
    // A companion beside the tray that stays until it is told to go.
    CompanionStandIn companion;
    Process tray = StartProgram(L"Tavrin.exe", L"");
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; }));
    for (int click = 0; click < 10; ++click) ::PostMessageW(FindTray(), 0x0BD0, 1, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitFor([&] { return companion.Starts() >= 1; }, 10000)) << "companion not started";
    // A message round trip after the clicks: all of them have been handled.
    DWORD_PTR result = 0;
    ASSERT_TRUE(::SendMessageTimeoutW(FindTray(), WM_NULL, 0, 0, SMTO_BLOCK, 10000, &result));
    EXPECT_EQ(companion.Starts(), 1);
    companion.Finish();
    ASSERT_TRUE(WaitFor([&] { return companion.Running() == 0; }, 10000));
    ::PostMessageW(FindTray(), 0x0BD0, 1, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitFor([&] { return companion.Starts() == 2; }, 10000))
        << "not started again after it ended";
    companion.Finish();
    Stop(tray);
}

bool MenuOpen()
{
    HWND menu = ::FindWindowW(L"#32768", nullptr);
    return menu && ::IsWindowVisible(menu);
}

TEST_F(TrayProcess, SingleClickOpensTheMenuButADoubleClickDoesNot)
{
    TraceFile trace;
    Process tray = StartProgram(L"Tavrin.exe", L"");
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; }));
    HWND window = FindTray();
    constexpr UINT kIconMessage = 0x0BD0;

    ::PostMessageW(window, kIconMessage, 1, WM_LBUTTONUP);
    EXPECT_TRUE(WaitFor(MenuOpen, 3000)) << "no menu after a single click";
    ::PostMessageW(window, WM_CANCELMODE, 0, 0);
    ASSERT_TRUE(WaitFor([] { return !MenuOpen(); }, 3000));

    // The shell's order for a double click; the companion program does not
    // exist here, so only the menu could appear. The click timer's expiry is
    // the sign that the single-click decision has been made.
    const size_t before = trace.Lines().size();
    for (UINT mouse : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        ::PostMessageW(window, kIconMessage, 1, mouse);
    EXPECT_TRUE(WaitFor([&] { return trace.Count("entry TrayIconSingleClick", before) > 0; }, 5000));
    EXPECT_FALSE(MenuOpen());
    Stop(tray);
}

TEST_F(TrayProcess, MenusAskedForInSentMessagesDoNotHoldTheShutdown)
{
    Process tray = StartProgram(L"Tavrin.exe", L"");
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; }));
    ASSERT_TRUE(WaitFor([&] { return branding.Exists(L"OEMName"); }, 10000)) << "start-up did not finish";
    DWORD_PTR result = 0;
    // Each send returns once handled: a menu loop opened inside it would
    // keep it until the time-out.
    for (int round = 0; round < 2; ++round) {
        EXPECT_NE(::SendMessageTimeoutW(FindTray(), 0x0BD0, 1, WM_RBUTTONUP, SMTO_NORMAL, 5000, &result), 0);
        EXPECT_NE(::SendMessageTimeoutW(FindTray(), WM_TIMER, 1032, 0, SMTO_NORMAL, 5000, &result), 0);
    }
    Stop(tray);
    EXPECT_FALSE(UniqueHandle(::OpenMutexW(SYNCHRONIZE, FALSE, L"Corvane Tavrin")))
        << "the single-instance mutex outlived the tray";
}

TEST_F(TrayProcess, AnOpenMenuDoesNotHoldTheShutdown)
{
    Process tray = StartProgram(L"Tavrin.exe", L"");
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; }));
    ::PostMessageW(FindTray(), 0x0BD0, 1, WM_RBUTTONUP);
    ASSERT_TRUE(WaitFor(MenuOpen, 5000)) << "no context menu";
    // A second request while it is open opens nothing more.
    ::PostMessageW(FindTray(), 0x0BD0, 1, WM_RBUTTONUP);
    Stop(tray);
}

TEST_F(TrayProcess, OnlyDisplaySwitchesTheUserChangedAreWrittenBack)
{
    settings.SetDword(L"DlgDisablerBRG", 1);
    settings.SetString(L"DlgDisablerVOL", L"mistyped");
    settings.SetDword(L"DlgDisablerRAD", 1);
    Process tray = StartProgram(L"Tavrin.exe", L"");
    ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; }));
    ASSERT_TRUE(WaitFor([&] { return branding.Exists(L"OEMName"); }, 10000)) << "start-up did not finish";
    // An administrator switches the radio display off while the tray runs;
    // the user switches the brightness display off from the menu.
    settings.SetDword(L"DlgDisablerRAD", 0);
    ::PostMessageW(FindTray(), WM_COMMAND, MAKEWPARAM(32777, 0), 0);
    DWORD_PTR result = 0;
    ASSERT_NE(::SendMessageTimeoutW(FindTray(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result), 0);
    Stop(tray);
    EXPECT_EQ(settings.GetDword(L"DlgDisablerBRG"), 0u);
    EXPECT_EQ(settings.GetDword(L"DlgDisablerRAD"), 0u);
    EXPECT_EQ(settings.GetRaw(L"DlgDisablerVOL"), std::wstring(L"mistyped") + L'\0');
}

TEST_F(TrayProcess, DoesNotStartWhenSmbiosFails)
{
    ::SetEnvironmentVariableW(L"TAVRIN_SIMULATED_MACHINE", L"smbios-fails");
    Simctl(L"load smbios-fails");
    Process tray = StartProgram(L"Tavrin.exe", L"");
    ASSERT_TRUE(tray.process);
    EXPECT_NE(tray.WaitExit(15000), DWORD{STILL_ACTIVE});
    EXPECT_EQ(FindTray(), nullptr);
    EXPECT_TRUE(VersionCalls().empty());
}

} // namespace
