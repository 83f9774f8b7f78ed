// Tavrin.exe on the simulated notebook: firmware events raised by simctl,
// keys typed into another process's window and power notices, followed
// through the tray's dispatch trace.
#include "HandleCount.h"
#include "TrayTestSupport.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// The marker: a firmware event whose two trace lines close each step.
constexpr wchar_t kMarkerEvent[] = L"event 0xE013 7";
const Lines kMarkerLines = {"bios 0xE013 7 0 0 0", "entry ShowAmbientLightSensor 7 1"};
// The key that closes typed strokes.
const std::string kMarkerKeyLine = "key 0xE0F7";

class TrayDispatch : public TrayTest {
protected:
    void SetUp() override
    {
        TrayTest::SetUp();
        wchar_t folder[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, folder);
        m_tracePath = std::wstring(folder) + L"tavrin-dispatch-trace.txt";
        ::DeleteFileW(m_tracePath.c_str());
        ::SetEnvironmentVariableW(L"TAVRIN_TRACE", m_tracePath.c_str());
        m_tray = StartProgram(L"Tavrin.exe", L"");
        ASSERT_TRUE(WaitFor([] { return FindTray() != nullptr; })) << "no tray window";
        ASSERT_TRUE(WaitUntilDispatching()) << "tray takes no firmware events";
    }

    void TearDown() override
    {
        // A hibernate key typed by a test hibernates the machine until it resumes.
        if (Simctl(L"get asleep").rfind("1", 0) == 0) Simctl(L"resume");
        if (m_tray.process) Stop(m_tray);
        ::SetEnvironmentVariableW(L"TAVRIN_TRACE", nullptr);
        TrayTest::TearDown();
        ::DeleteFileW(m_tracePath.c_str());
    }

    // Lines the tray wrote since the last look.
    Lines NewLines()
    {
        std::ifstream file(m_tracePath.c_str(), std::ios::binary);
        file.seekg(static_cast<std::streamoff>(m_traceRead));
        Lines lines;
        std::string line;
        while (std::getline(file, line)) {
            if (file.eof()) break; // a line still being written
            m_traceRead += line.size() + 1;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    // The tray subscribes to firmware events late in its start-up, and an
    // event raised before that reaches nobody: markers are raised until one
    // arrives. What start-up wrote is passed over.
    bool WaitUntilDispatching()
    {
        for (int attempt = 0; attempt < 20; ++attempt) {
            Simctl(kMarkerEvent);
            Lines lines;
            const bool marked = WaitFor(
                [&] {
                    for (std::string& line : NewLines()) lines.push_back(std::move(line));
                    return std::search(lines.begin(), lines.end(), kMarkerLines.begin(), kMarkerLines.end())
                           != lines.end();
                },
                500);
            if (marked) return true;
        }
        return false;
    }

    // Everything dispatched before a marker event raised now.
    Lines UntilMarker()
    {
        EXPECT_TRUE(Simctl(kMarkerEvent).empty());
        Lines lines;
        const bool marked = WaitFor(
            [&] {
                for (std::string& line : NewLines()) lines.push_back(std::move(line));
                return lines.size() >= kMarkerLines.size()
                       && Lines(lines.end() - kMarkerLines.size(), lines.end()) == kMarkerLines;
            },
            10000);
        EXPECT_TRUE(marked) << "marker event not dispatched";
        if (marked) lines.resize(lines.size() - kMarkerLines.size());
        return lines;
    }

    // Types the strokes followed by a marker key (in the key table, acted on
    // by nothing) and returns the lines starting with prefix that were
    // dispatched before the marker: the queue and the reader keep the order,
    // so the marker closes the strokes.
    Lines TypedKeys(const std::wstring& strokes, const std::string& prefix = "key ")
    {
        Type(strokes + L" d:E0F7 u:E0F7");
        Lines keys;
        bool marked = false;
        WaitFor(
            [&] {
                for (std::string& line : NewLines()) {
                    if (line == kMarkerKeyLine)
                        marked = true;
                    else if (!marked && line.rfind(prefix, 0) == 0)
                        keys.push_back(std::move(line));
                }
                return marked;
            },
            20000);
        EXPECT_TRUE(marked) << "marker key not dispatched";
        return keys;
    }

    bool IsResponsive() const
    {
        DWORD_PTR result = 0;
        return ::SendMessageTimeoutW(FindTray(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
    }

    DWORD HandleCount() const
    {
        UniqueHandle process(::OpenProcess(PROCESS_DUP_HANDLE, FALSE, m_tray.id));
        return process ? CountOpenHandles(process.get()) : 0;
    }

    // Types the strokes ("d:E00A", "u:E00A", ...) into a window of another process.
    void Type(const std::wstring& strokes) const
    {
        Process target = StartProgram(L"keyhook_target.exe", strokes);
        ASSERT_TRUE(target.process);
        EXPECT_EQ(target.WaitExit(30000), 0u) << "keys not delivered to the target window";
    }

    std::wstring m_tracePath;
    size_t m_traceRead = 0;
    Process m_tray;
};

TEST_F(TrayDispatch, FirmwareEventsReachTheDispatcherWithTheirArguments)
{
    Simctl(L"event 0xE005 5");
    EXPECT_EQ(UntilMarker(), (Lines{"bios 0xE005 5 0 0 0", "entry ShowBrightness 5 1"}));

    Simctl(L"event-list 0xE005 5 0xE008 1 2 3 4");
    EXPECT_EQ(UntilMarker(), (Lines{"bios 0xE005 5 0 0 0", "entry ShowBrightness 5 1", "bios 0xE008 1 2 3 4",
                                    "entry ShowRadio 131073 3 1"}));

    Simctl(L"event 0xE00D 1 2 3 4");
    EXPECT_EQ(UntilMarker(), (Lines{"bios 0xE00D 1 2 3 4", "entry ShowBiosMessage 1 2 262147"}));
}

// The visible message box of a process, or null.
// The visible boxes of a process.
std::vector<HWND> MessageBoxes(DWORD processId)
{
    struct Search {
        DWORD processId;
        std::vector<HWND> boxes;
    } search{processId, {}};
    ::EnumWindows(
        [](HWND window, LPARAM lp) -> BOOL {
            auto& found = *reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            wchar_t name[16] = {};
            ::GetWindowThreadProcessId(window, &owner);
            ::GetClassNameW(window, name, 16);
            if (owner == found.processId && wcscmp(name, L"#32770") == 0 && ::IsWindowVisible(window))
                found.boxes.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.boxes;
}

HWND FindMessageBox(DWORD processId)
{
    const std::vector<HWND> boxes = MessageBoxes(processId);
    return boxes.empty() ? nullptr : boxes.front();
}

int MessageBoxCount(DWORD processId)
{
    return static_cast<int>(MessageBoxes(processId).size());
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
        m_queueMutex.reset(::CreateMutexW(nullptr, TRUE, L"keyQueueMutex"));
        ASSERT_TRUE(m_queueMutex);
        const ULONGLONG start = ::GetTickCount64();
        TrayDispatch::SetUp();
        m_startMs = ::GetTickCount64() - start;
        ::ReleaseMutex(m_queueMutex.get());
    }

    UniqueHandle m_queueMutex;
    ULONGLONG m_startMs = 0;
};

TEST_F(TrayDispatchWithHeldKeyQueue, StartsWithoutWaitingAndTheHotkeysWorkOnceTheQueueIsFree)
{
    EXPECT_LT(m_startMs, 4000u) << "start-up waited for the key queue";
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
                                    "entry RefreshBatteryHealth"}));
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
        EXPECT_TRUE(line == "bios 0xE005 5 0 0 0" || line == "entry ShowBrightness 5 1") << line;

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
