#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>

#include "CallLog.h"
#include "EventQueue.h"
#include "SimTestSupport.h"
#include "TestMachine.h"
#include "UniqueHandle.h"

namespace {

using simtest::ComPtr;
using simtest::Record;
using simtest::Request;
using simtest::RunSimctl;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class Simctl : public simtest::SimulatedMachineTest {
protected:
    void Run(const std::wstring& arguments)
    {
        simtest::SimctlResult result = RunSimctl(arguments);
        ASSERT_EQ(result.exitCode, 0u) << result.output;
    }
    HRESULT Call(uint16_t cbClass, uint16_t cbSelect, uint32_t arg1, BiosCallBuffer& record)
    {
        std::vector<uint8_t> answer;
        HRESULT hr
            = simtest::ExecDoBFn(services.Get(), Request(cbClass, cbSelect, arg1, 0, 0, 0, 128), answer);
        record = Record(answer);
        return hr;
    }
    sim::SimMachine Snapshot()
    {
        sim::CMachineState::Lock machine(state);
        return *machine;
    }
};

TEST_F(Simctl, ChangesMadeBySimctlReachTheFirmware)
{
    Run(L"set radio-status 0x21");
    Run(L"set setting 0x0320 3 9");
    BiosCallBuffer record;
    ASSERT_EQ(Call(0x11, 0x0B, 0, record), S_OK);
    EXPECT_EQ(record.cbRes2, 0x21u);
    ASSERT_EQ(Call(0, 1, 0x0320, record), S_OK);
    EXPECT_EQ(record.cbRes2, 3u);
    EXPECT_EQ(Lines(RunSimctl(L"get setting 0x320").output), std::vector<std::string>{"3/9"});
    EXPECT_EQ(Lines(RunSimctl(L"get radio-status").output), std::vector<std::string>{"0x00000021"});
}

TEST_F(Simctl, CallsPrintsTheLogInItsFixedFormat)
{
    BiosCallBuffer record;
    ASSERT_EQ(Call(0, 2, 0x0320, record), S_OK);
    ASSERT_EQ(Call(0x55, 1, 0xABCD, record), S_OK);
    simtest::SimctlResult result = RunSimctl(L"calls");
    ASSERT_EQ(result.exitCode, 0u);
    EXPECT_EQ(Lines(result.output),
              (std::vector<std::string>{
                  "#1 class=0x0000 select=0x0002 args=0x00000320,0x00000000,0x00000000,0x00000000 "
                  "res=0,0x00000007,0x00000000,0x0000000F",
                  "#2 class=0x0055 select=0x0001 args=0x0000ABCD,0x00000000,0x00000000,0x00000000 "
                  "res=-1,0x00000000,0x00000000,0x00000000"}));
    std::vector<std::string> detailed = Lines(RunSimctl(L"calls -v").output);
    ASSERT_EQ(detailed.size(), 2u);
    EXPECT_NE(
        detailed[1].find("res=-1,0x00000000,0x00000000,0x00000000 length=128 tail-zero=1 reserved-zero=1"),
        std::string::npos);
    Run(L"clear-calls");
    EXPECT_EQ(RunSimctl(L"calls").output, "");
}

TEST_F(Simctl, TheRadioSwitchCutsTheRadiosAndRaisesTheWirelessEvent)
{
    const uint32_t seen = Snapshot().eventCount;
    Run(L"set radio-config 0x0105"); // Bluetooth no longer follows the switch
    Run(L"radio-switch off");
    const sim::SimMachine after = Snapshot();
    EXPECT_EQ(after.firmware.radioStatus, 0x000B070Fu);
    const std::vector<sim::SimEvent> events = sim::EventsAfter(after, seen);
    ASSERT_EQ(events.size(), 1u);
    // Six words: count 5, a single event, 0xE008, the status low half first, detail 0.
    const uint8_t expected[] = {5, 0, 0, 0, 0x08, 0xE0, 0x0F, 0x07, 0x0B, 0x00, 0, 0};
    ASSERT_GE(events[0].length, sizeof expected);
    EXPECT_EQ(std::memcmp(events[0].data, expected, sizeof expected), 0);
    EXPECT_EQ(std::wstring(events[0].className), L"BIOSEvent");

    // Where it already is, the switch does not move and raises nothing.
    Run(L"radio-switch off");
    EXPECT_EQ(Snapshot().eventCount, seen + 1);
    const std::vector<std::string> radios = Lines(RunSimctl(L"radios").output);
    ASSERT_GE(radios.size(), 6u);
    EXPECT_EQ(radios[0],
              "radio-status=0x000B070F modelled=1 switch-present=1 locator-supported=1 radios-on=1");
    EXPECT_EQ(radios[1], "switch=off flips=1");
    EXPECT_EQ(radios[3], "wifi installed=1 off=1 disabled=0 follows-switch=1");
    EXPECT_EQ(radios[4], "bluetooth installed=1 off=0 disabled=0 follows-switch=0");

    // A machine whose radios are not modelled has no switch to move.
    Load(L"halvorn");
    EXPECT_EQ(RunSimctl(L"radio-switch on").exitCode, 1u);
    EXPECT_EQ(RunSimctl(L"radio-switch").exitCode, 2u);
}

TEST_F(Simctl, FailNextMakesExactlyThatManyCallsFail)
{
    Run(L"fail-next 2");
    BiosCallBuffer record;
    EXPECT_EQ(Call(0x11, 0x0B, 0, record), WBEM_E_FAILED);
    EXPECT_EQ(Call(0x11, 0x0B, 0, record), WBEM_E_FAILED);
    EXPECT_EQ(Call(0x11, 0x0B, 0, record), S_OK);
    EXPECT_EQ(Snapshot().callCount, 1u); // failed calls never reached the firmware
}

TEST_F(Simctl, InjectedAnswersAndChangedArguments)
{
    Run(L"answer 0x11 0x0B -3 2");
    Run(L"answer-next 5");
    BiosCallBuffer record;
    ASSERT_EQ(Call(0, 1, 0x0320, record), S_OK);
    EXPECT_EQ(record.cbRes1, 5);
    ASSERT_EQ(Call(0x11, 0x0B, 0, record), S_OK);
    EXPECT_EQ(record.cbRes1, -3);
    ASSERT_EQ(Call(0x11, 0x0B, 0, record), S_OK);
    EXPECT_EQ(record.cbRes1, -3);
    ASSERT_EQ(Call(0x11, 0x0B, 0, record), S_OK);
    EXPECT_EQ(record.cbRes1, 0);

    Run(L"answer 0 1 -1");
    Run(L"answer-clear");
    Run(L"set quirk-args 1");
    ASSERT_EQ(Call(0, 1, 0x0320, record), S_OK);
    EXPECT_EQ(record.cbRes1, 0);
    EXPECT_EQ(record.cbArg1, ~0x0320u);
    Run(L"set short-answer 40");
    std::vector<uint8_t> answer;
    ASSERT_EQ(simtest::ExecDoBFn(services.Get(), Request(0x11, 0x0B, 0, 0, 0, 0, 128), answer), S_OK);
    EXPECT_EQ(answer.size(), 40u);
}

TEST_F(Simctl, AlertSetsWhatTheNextQueryHandsOver)
{
    Run(L"alert 21 0 0x5A000000");
    sim::SimMachine machine = Snapshot();
    EXPECT_EQ(machine.alert.code, 21u);
    EXPECT_EQ(machine.alert.detail, 0u);
    EXPECT_EQ(machine.alert.flags, 0x5A000000u);
    Run(L"alert 0xFFFFFFFF");
    machine = Snapshot();
    EXPECT_EQ(machine.alert.code, 0xFFFFFFFFu);
    EXPECT_EQ(machine.alert.detail, 0u) << "a missing detail is 0";
    Run(L"alert clear");
    EXPECT_EQ(Lines(RunSimctl(L"get alert-code").output), (std::vector<std::string>{"0xFFFFFFFF"}));
    EXPECT_EQ(RunSimctl(L"alert").exitCode, 2u);
    EXPECT_EQ(RunSimctl(L"alert 1 2 3 4").exitCode, 2u);
    EXPECT_EQ(RunSimctl(L"alert 0x100000000").exitCode, 2u);
    EXPECT_EQ(RunSimctl(L"alert soon").exitCode, 2u);
    EXPECT_EQ(Snapshot().alert.code, 0xFFFFFFFFu) << "a bad command line changed the alert";
}

TEST_F(Simctl, LoadShowAndBadCommandLines)
{
    Run(L"load corvane-503");
    std::vector<std::string> shown = Lines(RunSimctl(L"show").output);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown[0], "profile=corvane-503");
    EXPECT_NE(std::find(shown.begin(), shown.end(), "system-id=0x01F7"), shown.end());

    sim::SimMachine before = Snapshot();
    for (const wchar_t* bad : {L"", L"frobnicate", L"set ac 2", L"set ac", L"set nothing 1", L"fail-next -1",
                               L"answer 0x11", L"answer 0x10000 0 0", L"set setting 0x999 1", L"get nothing",
                               L"event", L"event-list --data blue 1", L"event --repeat 0 1",
                               L"event --repeat 100001 1", L"key 0x100", L"key 0x1C sideways"}) {
        EXPECT_NE(RunSimctl(bad).exitCode, 0u) << static_cast<const void*>(bad);
    }
    EXPECT_EQ(RunSimctl(L"load no-such-machine").exitCode, 1u);
    sim::SimMachine after = Snapshot();
    EXPECT_EQ(std::memcmp(&before, &after, offsetof(sim::SimMachine, calls)), 0);
}

// A hidden top-level window that records power notices.
class PowerWindow {
public:
    PowerWindow()
    {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"SimTestPowerWindow";
        ::RegisterClassW(&wc);
        m_window = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                     wc.hInstance, nullptr);
    }
    ~PowerWindow() { ::DestroyWindow(m_window); }
    bool Received(WPARAM event)
    {
        return simtest::PumpUntil(
            [&] { return std::find(m_events.begin(), m_events.end(), event) != m_events.end(); });
    }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_POWERBROADCAST) m_events.push_back(wParam);
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    static inline std::vector<WPARAM> m_events;
    HWND m_window = nullptr;
};

TEST_F(Simctl, BatteryCommandsChangeThePacksAndTellTheWindows)
{
    PowerWindow window;
    Run(L"battery-insert secondary --design 40000 --full 40000 --remaining 50% --name \"Corvane Slice "
        L"9-cell\" --health 2");
    EXPECT_TRUE(window.Received(PBT_APMPOWERSTATUSCHANGE));
    sim::SimMachine m = Snapshot();
    const sim::SimBattery& secondary = m.batteries.slots[1];
    EXPECT_TRUE(secondary.present);
    EXPECT_EQ(secondary.fullCapacity, 40000u);
    EXPECT_NEAR(secondary.remaining, 20000, 50);
    EXPECT_EQ(secondary.healthIndex, 2);
    EXPECT_NE(secondary.tag, m.batteries.slots[0].tag);

    const std::vector<std::string> shown = Lines(RunSimctl(L"battery").output);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].rfind("ac=1 batteries-modelled=1", 0), 0u);
    EXPECT_EQ(shown[2].rfind("secondary present=1 state=charging percent=50", 0), 0u) << shown[2];
    EXPECT_NE(shown[2].find("name=\"Corvane Slice 9-cell\""), std::string::npos);
    EXPECT_EQ(shown[3], "dock present=0");
    EXPECT_NE(RunSimctl(L"devices").output.find("ACPI\\PNP0C0A\\2 class=Battery"), std::string::npos);

    Run(L"battery-age 25% secondary");
    Run(L"battery-fail primary 3");
    Run(L"ac off");
    m = Snapshot();
    EXPECT_EQ(m.batteries.slots[1].fullCapacity, 30000u);
    EXPECT_EQ(m.batteries.slots[1].healthPercent, 75);
    EXPECT_EQ(m.batteries.slots[0].failureStatus, 3);
    EXPECT_EQ(m.power.acOnline, 0);
    EXPECT_LT(m.batteries.slots[0].rate, 0);
    Run(L"battery-remove secondary");
    EXPECT_FALSE(Snapshot().batteries.slots[1].present);
    EXPECT_EQ(RunSimctl(L"devices").output.find("PNP0C0A\\2"), std::string::npos);

    const sim::SimMachine before = Snapshot();
    for (const wchar_t* bad :
         {L"battery-insert", L"battery-insert attic", L"battery-insert primary --full",
          L"battery-insert primary --colour red", L"battery-insert primary --health 7", L"battery-remove",
          L"battery-age 101%", L"battery-age 5% attic", L"battery-fail primary", L"battery-fail primary 256",
          L"battery-rate primary sideways 5", L"ac maybe", L"battery-time-scale 0", L"charge-disable",
          L"battery extra"}) {
        EXPECT_EQ(RunSimctl(bad).exitCode, 2u) << static_cast<const void*>(bad);
    }
    const sim::SimMachine after = Snapshot();
    EXPECT_EQ(std::memcmp(before.batteries.slots, after.batteries.slots, sizeof before.batteries.slots), 0);
}

TEST_F(Simctl, PowerChangesAreBroadcastLikeWindows)
{
    PowerWindow window;
    Run(L"set ac 0");
    EXPECT_TRUE(window.Received(PBT_APMPOWERSTATUSCHANGE));
    EXPECT_EQ(Snapshot().power.acOnline, 0);
    BiosCallBuffer record;
    ASSERT_EQ(Call(0, 0, 0x0320, record), S_OK);
    EXPECT_EQ(record.cbRes2, 4u); // select 0 now reads the battery value
    Run(L"suspend");
    EXPECT_TRUE(window.Received(PBT_APMSUSPEND));
    Run(L"resume");
    EXPECT_TRUE(window.Received(PBT_APMRESUMESUSPEND));
}

} // namespace

namespace {

// Key transitions seen by a low-level keyboard hook of this thread.
struct KeySeen {
    DWORD scanCode;
    DWORD flags;
};
std::vector<KeySeen> g_keys;

LRESULT CALLBACK KeyHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        g_keys.push_back({key->scanCode, key->flags});
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(Simctl, KeySendsScanCodeTransitions)
{
    g_keys.clear();
    UniqueHook hook(::SetWindowsHookExW(WH_KEYBOARD_LL, &KeyHook, ::GetModuleHandleW(nullptr), 0));
    ASSERT_TRUE(hook);
    Run(L"key 0x6D ext");
    Run(L"key 0x6D ext up");
    ASSERT_TRUE(simtest::PumpUntil([] { return g_keys.size() >= 2; }));
    EXPECT_EQ(g_keys[0].scanCode, 0x6Du);
    EXPECT_TRUE(g_keys[0].flags & LLKHF_EXTENDED);
    EXPECT_FALSE(g_keys[0].flags & LLKHF_UP);
    EXPECT_TRUE(g_keys[1].flags & LLKHF_UP);
    Run(L"key 0x3B");
    ASSERT_TRUE(simtest::PumpUntil([] { return g_keys.size() >= 3; }));
    EXPECT_EQ(g_keys[2].scanCode, 0x3Bu);
    EXPECT_FALSE(g_keys[2].flags & LLKHF_EXTENDED);
    Run(L"key 0x3B up");
}

} // namespace
