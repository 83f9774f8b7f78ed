// The launch button pressed on the simulated notebook (simctl event 0xE025)
// with Tavrin.exe running, each function observed from outside: the stand-in
// programs' log, the simulated endpoint and machine, a test window.
#include "SettingNames.h"
#include "StandInPrograms.h"
#include "TrayTestSupport.h"

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

std::wstring Temp(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

// A value of the simulated machine, as simctl get prints it.
std::string Get(const std::wstring& key)
{
    std::string value = Simctl(L"get " + key);
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) value.pop_back();
    return value;
}

class LaunchButtonTray : public TrayTest {
protected:
    void SetUp() override
    {
        TrayTest::SetUp();
        m_programs = std::make_unique<CStandInPrograms>(m_log);
        ASSERT_TRUE(m_programs->Installed());
    }

    void TearDown() override
    {
        if (m_tray.process) Stop(m_tray);
        m_programs.reset();
        TrayTest::TearDown();
    }

    // The manager the button opened, closed again.
    static bool CloseManager()
    {
        HWND manager = nullptr;
        if (!WaitFor(
                [&] { return (manager = ::FindWindowW(L"#32770", L"Corvane Flinto Manager")) != nullptr; }))
            return false;
        ::PostMessageW(manager, WM_CLOSE, 0, 0);
        return WaitFor([&] { return !::IsWindow(manager); });
    }

    static Process StartPath(const std::wstring& path)
    {
        std::wstring line = L"\"" + path + L"\"";
        STARTUPINFOW startup{sizeof(startup)};
        PROCESS_INFORMATION info{};
        Process started;
        if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &info))
            return started;
        started.process.reset(info.hProcess);
        started.thread.reset(info.hThread);
        started.id = info.dwProcessId;
        return started;
    }

    // Starts the tray and waits until firmware events reach it.
    void StartTray()
    {
        m_tray = StartProgram(L"Tavrin.exe", L"");
        ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; })) << "no tray window";
        bool dispatching = false;
        for (int attempt = 0; attempt < 20 && !dispatching; ++attempt) {
            Simctl(L"event 0xE0F7");
            dispatching = WaitFor([this] { return m_traceFile.Count("bios 0xE0F7 0 0 0 0") > 0; }, 500);
        }
        ASSERT_TRUE(dispatching) << "the tray takes no firmware events";
        // The tray's debounce counts from its start as from a press.
        m_lastPress = ::GetTickCount64();
    }

    // One press of the button with the function assigned; returns once the
    // tray has carried it out. Presses are kept apart by the tray's debounce.
    void Press(DWORD function)
    {
        pellick.SetDword(setting_names::kPellick, function);
        const size_t before = m_traceFile.Count("entry RunLaunchButton");
        const ULONGLONG earliest = m_lastPress + 600;
        while (::GetTickCount64() < earliest) ::Sleep(20);
        Simctl(L"event 0xE025");
        m_lastPress = ::GetTickCount64();
        EXPECT_TRUE(WaitFor([&] { return m_traceFile.Count("entry RunLaunchButton") > before; }, 10000))
            << "press " << function << " not carried out; the tray's trace:\n"
            << TraceText();
    }

    std::string TraceText() const
    {
        std::string text;
        for (const std::string& line : m_traceFile.Lines()) text += line + "\n";
        return text;
    }

    std::vector<std::string> Log() const
    {
        std::vector<std::string> lines;
        std::ifstream file(m_log.c_str(), std::ios::binary);
        for (std::string line; std::getline(file, line);) lines.push_back(line);
        return lines;
    }

    // The lines of the log that start with `prefix`.
    size_t Logged(const std::string& prefix) const
    {
        size_t count = 0;
        for (const std::string& line : Log()) count += line.rfind(prefix, 0) == 0 ? 1 : 0;
        return count;
    }

    bool WaitLogged(const std::string& prefix, size_t count = 1) const
    {
        return WaitFor([&] { return Logged(prefix) >= count; }, 10000);
    }

    RegistryValueGuard pellick{
        CSettings::kKeyPath,
        {setting_names::kPellick, setting_names::kPellickCmd, setting_names::kPellickAddr}};
    std::wstring m_log = Temp(L"tavrin-standin-log.txt");
    TraceFile m_traceFile;
    std::unique_ptr<CStandInPrograms> m_programs;
    Process m_tray;
    ULONGLONG m_lastPress = 0;
};

} // namespace

TEST_F(LaunchButtonTray, TheInstalledProgramsStartWithTheirCommandLines)
{
    StartTray();
    Press(9);
    ASSERT_TRUE(WaitLogged("charmap.exe start 1 ")) << "character map not started";
    // Running already: brought forward, not started twice.
    Press(9);
    Press(11);
    ASSERT_TRUE(WaitLogged("presentationsettings.exe start 1 presentationsettings /start"));
    Press(11);
    ASSERT_TRUE(WaitLogged("presentationsettings.exe start 1 presentationsettings /stop"));
    Press(12);
    ASSERT_TRUE(WaitLogged("ehshell.exe start 3 ")) << "media centre not started maximised";
    Press(10);
    ASSERT_TRUE(WaitLogged("WiDiApp.exe start 1 \"C:\\Quillon\\WiDi\\WiDiApp.exe\""));
    EXPECT_EQ(Logged("charmap.exe start"), 1u);
    EXPECT_EQ(Logged("presentationsettings.exe start"), 2u);
}

TEST_F(LaunchButtonTray, AUsersProgramStartsOnceAndThenComesForward)
{
    pellick.SetString(setting_names::kPellickCmd, L"C:\\Quillon\\Tools\\quillpad.exe");
    StartTray();
    Press(14);
    ASSERT_TRUE(WaitLogged("quillpad.exe start 1 ")) << "the program was not opened";
    HWND window = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (window = ::FindWindowW(L"TavrinTestStandIn", L"quillpad.exe")) != nullptr; }));
    HWND other = ::FindWindowW(L"TavrinTestStandIn", nullptr);
    ASSERT_NE(other, nullptr);
    Press(9);
    ASSERT_TRUE(WaitLogged("charmap.exe start"));
    HWND charmap = nullptr;
    ASSERT_TRUE(
        WaitFor([&] { return (charmap = ::FindWindowW(L"TavrinTestStandIn", L"charmap.exe")) != nullptr; }));
    ::ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([&] { return ::IsIconic(window) != FALSE; }));
    Press(14);
    EXPECT_TRUE(WaitFor([&] { return ::IsIconic(window) == FALSE; }))
        << "the running program was not restored";
    EXPECT_EQ(Logged("quillpad.exe start"), 1u);
}

TEST_F(LaunchButtonTray, TheMediaLauncherComesForwardByItsTitle)
{
    Process launcher = StartPath(m_programs->Paths()[3]);
    HWND window = nullptr;
    ASSERT_TRUE(WaitFor(
        [&] { return (window = ::FindWindowW(L"TavrinTestStandIn", L"Corvane Lumara")) != nullptr; }));
    StartTray();
    Process cover = StartProgram(L"launch_standin.exe", L"");
    HWND coverWindow = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        return (coverWindow = ::FindWindowW(L"TavrinTestStandIn", L"launch_standin.exe")) != nullptr;
    }));
    const auto above = [&] {
        for (HWND w = ::GetWindow(coverWindow, GW_HWNDPREV); w != nullptr; w = ::GetWindow(w, GW_HWNDPREV))
            if (w == window) return true;
        return false;
    };
    ASSERT_TRUE(WaitFor([&] { return !above(); })) << "the test window does not cover the launcher";
    Press(13);
    EXPECT_TRUE(WaitFor(above)) << "the launcher did not come to the front";
    EXPECT_EQ(Logged("lumara_primary.exe start"), 1u);
}

TEST_F(LaunchButtonTray, MuteFlipsTheDefaultEndpoint)
{
    StartTray();
    // The default endpoint's line of simctl audio.
    const auto muted = [] {
        const std::string audio = Simctl(L"audio");
        const size_t at = audio.find(" default ");
        if (at == std::string::npos) return false;
        const std::string line = audio.substr(at, audio.find('\n', at) - at);
        return line.find("muted=1") != std::string::npos;
    };
    ASSERT_FALSE(muted());
    Press(1);
    EXPECT_TRUE(WaitFor(muted)) << Simctl(L"audio");
    Press(1);
    EXPECT_TRUE(WaitFor([&] { return !muted(); })) << Simctl(L"audio");
}

TEST_F(LaunchButtonTray, TheDisplayGoesOffAndTheSyntheticKeyWakesIt)
{
    StartTray();
    Process window = StartProgram(L"launch_standin.exe", L"");
    HWND shown = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (shown = ::FindWindowW(L"TavrinTestStandIn", nullptr)) != nullptr; }));
    ::SetForegroundWindow(shown);
    Press(2);
    ASSERT_TRUE(WaitLogged("launch_standin.exe monitor 2")) << "no display-off broadcast seen";
    ASSERT_TRUE(
        WaitFor([&] { return ::GetForegroundWindow() == shown || (::SetForegroundWindow(shown), false); }));
    Press(2);
    EXPECT_TRUE(WaitLogged("launch_standin.exe key 0x00")) << "no wake-up key";
    EXPECT_EQ(Logged("launch_standin.exe monitor"), 1u);
}

TEST_F(LaunchButtonTray, AltF4ClosesTheActiveWindowTypedByTheFirmwareOrTheTray)
{
    for (const bool firmware : {true, false}) {
        SCOPED_TRACE(firmware ? "firmware types" : "tray types");
        Simctl(firmware ? L"set types-keys 1" : L"set types-keys 0");
        Simctl(L"set keys-typed 0");
        StartTray();
        Process window = StartProgram(L"launch_standin.exe", L"");
        HWND shown = nullptr;
        ASSERT_TRUE(
            WaitFor([&] { return (shown = ::FindWindowW(L"TavrinTestStandIn", nullptr)) != nullptr; }));
        ASSERT_TRUE(WaitFor(
            [&] { return ::GetForegroundWindow() == shown || (::SetForegroundWindow(shown), false); }));
        const size_t closed = Logged("launch_standin.exe closed");
        Press(7);
        EXPECT_TRUE(WaitLogged("launch_standin.exe closed", closed + 1)) << "the window was not closed";
        EXPECT_EQ(window.WaitExit(10000), 0u);
        EXPECT_EQ(Get(L"keys-typed"), firmware ? "1" : "0");
        if (firmware) {
            EXPECT_EQ(Get(L"last-key"), "0x0001003E");
        }
        Stop(m_tray);
        m_tray = {};
    }
}

TEST_F(LaunchButtonTray, SleepSuspendsTheMachineAndPressesWaitForTheResume)
{
    StartTray();
    Press(4);
    const bool asleep = WaitFor([] { return Get(L"asleep") == "1"; });
    if (!asleep) Simctl(L"resume");
    ASSERT_TRUE(asleep) << "the machine did not sleep";
    EXPECT_EQ(Get(L"sleeps"), "1");
    // A press while asleep is taken once the machine wakes, before the resume notice.
    const size_t resumes = m_traceFile.Count("entry ResetLaunchButtonExecutor");
    const size_t presses = m_traceFile.Count("entry RunLaunchButton");
    Simctl(L"event 0xE025");
    Simctl(L"resume");
    ASSERT_TRUE(WaitFor([&] { return m_traceFile.Count("entry ResetLaunchButtonExecutor") > resumes; }));
    ASSERT_TRUE(WaitFor([&] { return m_traceFile.Count("entry RunLaunchButton") > presses; }));
    EXPECT_EQ(Get(L"asleep"), "0");
    EXPECT_EQ(Get(L"sleeps"), "1") << "a press before the resume notice slept again";
    m_lastPress = ::GetTickCount64();
    Press(4);
    EXPECT_TRUE(WaitFor([] { return Get(L"sleeps") == "2"; })) << "the resumed button is still ignored";
    Simctl(L"resume");
}

TEST_F(LaunchButtonTray, AMissingWebAddressAssignsTheFunctionForTheManager)
{
    pellick.Delete(setting_names::kPellickAddr);
    StartTray();
    Press(15);
    EXPECT_TRUE(CloseManager()) << "the manager did not open";
    EXPECT_EQ(pellick.GetDword(setting_names::kPellick), 15u);
    pellick.SetString(setting_names::kPellickCmd, L"C:\\Quillon\\nothing here.exe");
    Press(14);
    EXPECT_TRUE(CloseManager()) << "the manager did not open";
    EXPECT_EQ(pellick.GetDword(setting_names::kPellick), 14u);
}

TEST_F(LaunchButtonTray, NothingAssignedOrAnUnknownFunctionOpensTheManager)
{
    StartTray();
    for (DWORD function : {0u, 20u}) {
        SCOPED_TRACE(function);
        Press(function);
        EXPECT_TRUE(CloseManager()) << "the manager did not open";
    }
}

TEST_F(LaunchButtonTray, TheNetworkListRunsThroughRundll32)
{
    StartTray();
    Press(8);
    EXPECT_TRUE(WaitLogged("van.dll RunVAN ")) << "the network list was not run";
}

TEST_F(LaunchButtonTray, AWebAddressOpensInTheRegisteredBrowser)
{
    const RegistryValueGuard http(L"Software\\Classes\\http\\shell\\open\\command", {L""});
    http.SetString(L"", L"\"" + std::wstring(CStandInPrograms::kWebBrowser) + L"\" \"%1\"");
    pellick.SetString(setting_names::kPellickAddr, L"http://flinto.corvane.example/start");
    StartTray();
    Press(15);
    EXPECT_TRUE(WaitLogged("quillbrowse.exe start ")) << "no browser";
    const std::vector<std::string> log = Log();
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string& line) {
        return line.rfind("quillbrowse.exe start", 0) == 0
               && line.find("http://flinto.corvane.example/start") != std::string::npos;
    })) << "the address was not passed on";
    EXPECT_EQ(pellick.GetDword(setting_names::kPellick), 15u);
}

TEST_F(LaunchButtonTray, AFailingHibernationAsksTheTrayForItsHelp)
{
    Simctl(L"set hibernate-allowed 0");
    Simctl(L"set hibernate-enable 0");
    StartTray();
    Process window = StartProgram(L"launch_standin.exe", L"");
    ASSERT_TRUE(WaitLogged("launch_standin.exe start"));
    ASSERT_TRUE(WaitFor([] { return ::FindWindowW(L"TavrinTestStandIn", nullptr) != nullptr; }));
    Press(3);
    EXPECT_TRUE(WaitLogged("launch_standin.exe hibernate-request")) << "no hibernate request seen";
    Box offer;
    ASSERT_TRUE(WaitFor([&] { return (offer = FindBox(m_tray.id)).window != nullptr; }))
        << "the tray did not offer its help";
    EXPECT_EQ(offer.caption, L"Tavrin - Unable to hibernate system.");
    ::PostMessageW(offer.window, WM_COMMAND, IDNO, 0);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(offer.window); }));
    EXPECT_EQ(Get(L"asleep"), "0");
    EXPECT_EQ(Get(L"hibernations"), "0");
}

TEST_F(LaunchButtonTray, RefreshSendsTheBrowserKeyTypedByTheFirmwareOrTheTray)
{
    for (const bool firmware : {true, false}) {
        SCOPED_TRACE(firmware ? "firmware types" : "tray types");
        Simctl(firmware ? L"set types-keys 1" : L"set types-keys 0");
        Simctl(L"set keys-typed 0");
        StartTray();
        Process window = StartProgram(L"launch_standin.exe", L"");
        HWND shown = nullptr;
        ASSERT_TRUE(
            WaitFor([&] { return (shown = ::FindWindowW(L"TavrinTestStandIn", nullptr)) != nullptr; }));
        ASSERT_TRUE(WaitFor(
            [&] { return ::GetForegroundWindow() == shown || (::SetForegroundWindow(shown), false); }));
        const size_t refreshes = Logged("launch_standin.exe key 0xA8");
        Press(6);
        if (firmware) {
            EXPECT_TRUE(WaitFor([] { return Get(L"keys-typed") == "1"; })) << "the firmware typed nothing";
            EXPECT_EQ(Get(L"last-key"), "0x0000003F") << "not F5 without a modifier";
        } else {
            EXPECT_TRUE(WaitLogged("launch_standin.exe key 0xA8", refreshes + 1)) << "no browser-refresh key";
            EXPECT_EQ(Get(L"keys-typed"), "0");
        }
        ::PostMessageW(shown, WM_CLOSE, 0, 0);
        EXPECT_EQ(window.WaitExit(10000), 0u);
        Stop(m_tray);
        m_tray = {};
    }
}

TEST_F(LaunchButtonTray, HibernateSuspendsTheMachineUntilItResumes)
{
    StartTray();
    Press(3);
    const bool asleep = WaitFor([] { return Get(L"asleep") == "1"; });
    if (!asleep) Simctl(L"resume");
    ASSERT_TRUE(asleep) << "the machine did not hibernate";
    EXPECT_EQ(Get(L"hibernations"), "1");
    EXPECT_EQ(Get(L"sleeps"), "0");
    const size_t resumes = m_traceFile.Count("entry ResetLaunchButtonExecutor");
    Simctl(L"resume");
    ASSERT_TRUE(WaitFor([&] { return m_traceFile.Count("entry ResetLaunchButtonExecutor") > resumes; }));
    EXPECT_EQ(Get(L"asleep"), "0");
}

TEST_F(LaunchButtonTray, EjectOpensTheOpticalDriveWhereThereIsOne)
{
    Simctl(L"set optical-present 1");
    Simctl(L"set optical-media 1");
    StartTray();
    Press(5);
    EXPECT_TRUE(WaitFor([] { return Get(L"optical-ejects") == "1"; })) << Simctl(L"devices");
    EXPECT_EQ(Get(L"optical-media"), "0");
    // Without a drive the press is taken and nothing is ejected.
    Simctl(L"set optical-present 0");
    Press(5);
    EXPECT_EQ(Get(L"optical-ejects"), "1");
}
