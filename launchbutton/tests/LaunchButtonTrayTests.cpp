// The launch button pressed on the simulated notebook (simctl event 0xE025)
// with Tavrin.exe running, each function observed from outside: the stand-in
// programs' log, the simulated endpoint and machine, a test window.
#include "SettingNames.h"
#include "TrayTestSupport.h"

#include <tlhelp32.h>

#include <fstream>
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

std::wstring Folder(UINT (*get)(LPWSTR, UINT))
{
    wchar_t path[MAX_PATH] = {};
    get(path, MAX_PATH);
    return std::wstring(path) + L"\\";
}

std::wstring TestFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

constexpr wchar_t kUninstallEntry[]
    = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TavrinTest Quillon Wireless Display";

class LaunchButtonTray : public TrayTest {
protected:
    void SetUp() override
    {
        TrayTest::SetUp();
        m_finish.reset(::CreateEventW(nullptr, TRUE, FALSE, L"TavrinTestStandInFinish"));
        ::DeleteFileW(m_log.c_str());
        ::SetEnvironmentVariableW(L"TAVRIN_STANDIN_LOG", m_log.c_str());
        const std::wstring system = Folder(::GetSystemDirectoryW);
        const std::wstring windows = Folder(::GetWindowsDirectoryW);
        Install(system + L"charmap.exe");
        Install(system + L"presentationsettings.exe");
        Install(windows + L"ehome\\ehshell.exe");
        Install(L"C:\\Program Files (x86)\\Corvane Lumara\\Corvane Lumara\\lumara_primary.exe");
        Install(L"C:\\Quillon\\WiDi\\WiDiApp.exe");
        Install(L"C:\\Quillon\\Tools\\quillpad.exe");
        HKEY made = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kUninstallEntry, 0, nullptr, 0, KEY_WRITE, nullptr,
                                    &made, nullptr),
                  ERROR_SUCCESS);
        UniqueKey entry(made);
        SetText(entry.get(), setting_names::kUninstallDisplayName, L"Quillon Wireless Display");
        SetText(entry.get(), setting_names::kUninstallInstallLocation, L"C:\\Quillon\\WiDi\\");
    }

    void TearDown() override
    {
        if (m_tray.process) Stop(m_tray);
        ::SetEvent(m_finish.get());
        WaitFor([this] { return Running() == 0; }, 10000);
        for (const std::wstring& path : m_installed) ::DeleteFileW(path.c_str());
        ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, kUninstallEntry);
        ::SetEnvironmentVariableW(L"TAVRIN_STANDIN_LOG", nullptr);
        TrayTest::TearDown();
    }

    static void SetText(HKEY key, const wchar_t* name, const std::wstring& text)
    {
        ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    void Install(const std::wstring& path)
    {
        for (size_t slash = path.find(L'\\', 3); slash != std::wstring::npos;
             slash = path.find(L'\\', slash + 1))
            ::CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
        ASSERT_TRUE(::CopyFileW((TestFolder() + L"launch_standin.exe").c_str(), path.c_str(), FALSE))
            << Narrow(path);
        m_installed.push_back(path);
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

    static std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

    // Starts the tray and waits until firmware events reach it.
    void StartTray()
    {
        m_tray = StartProgram(L"Tavrin.exe", L"");
        ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; })) << "no tray window";
        bool dispatching = false;
        for (int attempt = 0; attempt < 20 && !dispatching; ++attempt) {
            Simctl(L"event 0xE013 7");
            dispatching = WaitFor([this] { return m_traceFile.Count("bios 0xE013 7 0 0 0") > 0; }, 500);
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

    int Running() const
    {
        int running = 0;
        for (const std::wstring& path : m_installed) {
            const std::wstring exe = path.substr(path.find_last_of(L'\\') + 1);
            UniqueFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
            PROCESSENTRY32W entry{sizeof(entry)};
            for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
                 more = ::Process32NextW(snapshot.get(), &entry))
                if (_wcsicmp(entry.szExeFile, exe.c_str()) == 0) ++running;
        }
        return running;
    }

    RegistryValueGuard pellick{
        CSettings::kKeyPath,
        {setting_names::kPellick, setting_names::kPellickCmd, setting_names::kPellickAddr}};
    std::wstring m_log = Temp(L"tavrin-standin-log.txt");
    TraceFile m_traceFile;
    UniqueHandle m_finish;
    std::vector<std::wstring> m_installed;
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
    Process launcher = StartPath(m_installed[3]);
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
