// The subscription against the simulated notebook: events raised by simctl
// (another process) reach the target on the thread that subscribed.
#include "BiosEvent.h"
#include "BiosEventTarget.h"
#include "ComInitialization.h"
#include "ComSecurity.h"
#include "EventQueue.h"
#include "HandleCount.h"
#include "MachineState.h"
#include "ProgramRun.h"
#include "UniqueHandle.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Dispatched {
    DWORD thread;
    uint16_t code, arg1, arg2, arg3, arg4;
};

class RecordingTarget : public IBiosEventTarget {
public:
    void OnBiosEvent(uint16_t code, uint16_t a1, uint16_t a2, uint16_t a3, uint16_t a4) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.push_back({::GetCurrentThreadId(), code, a1, a2, a3, a4});
        m_changed.notify_all();
    }
    bool WaitForCount(size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(10))
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [&] { return m_events.size() >= count; });
    }
    std::vector<Dispatched> Events()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_events;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Dispatched> m_events;
};

// A single-threaded apartment with a message loop, as the tray's main thread.
class SubscriberThread {
public:
    explicit SubscriberThread(IBiosEventTarget& target) : m_thread([this, &target] { Run(target); })
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_started.wait(lock, [&] { return m_threadId != 0; });
    }
    ~SubscriberThread()
    {
        ::PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
        m_thread.join();
    }
    DWORD ThreadId() const { return m_threadId; }
    bool Subscribed() const { return m_subscribed; }

private:
    void Run(IBiosEventTarget& target)
    {
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE); // the queue exists before anyone posts
        {
            // As the tray's application object: COM, then the call security, then the subscription.
            const ComInitialization com;
            InitializeComSecurity();
            CBiosEvent subscription(&target);
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_subscribed = subscription.IsSubscribed();
                m_threadId = ::GetCurrentThreadId();
            }
            m_started.notify_all();
            while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_started;
    DWORD m_threadId = 0;
    bool m_subscribed = false;
    std::thread m_thread;
};

DWORD Simctl(const std::wstring& arguments)
{
    return RunProgram(L"simctl.exe", arguments).exitCode;
}

class BiosEventEndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ::SetEnvironmentVariableW(L"TAVRIN_SIMULATED_MACHINE", L"corvane-default");
        ASSERT_EQ(Simctl(L"load corvane-default"), 0u);
    }
    void Raise(const std::wstring& arguments) { ASSERT_EQ(Simctl(arguments), 0u) << arguments; }

    RecordingTarget target;
};

void ExpectEvent(const Dispatched& e, DWORD thread, uint16_t code, uint16_t a1 = 0, uint16_t a2 = 0,
                 uint16_t a3 = 0, uint16_t a4 = 0)
{
    EXPECT_EQ(e.thread, thread);
    EXPECT_EQ(e.code, code);
    EXPECT_EQ(e.arg1, a1);
    EXPECT_EQ(e.arg2, a2);
    EXPECT_EQ(e.arg3, a3);
    EXPECT_EQ(e.arg4, a4);
}

TEST_F(BiosEventEndToEnd, EventsArriveOnTheSubscribingThreadWithTheirArguments)
{
    SubscriberThread subscriber(target);
    ASSERT_TRUE(subscriber.Subscribed());
    ASSERT_NE(subscriber.ThreadId(), ::GetCurrentThreadId());

    Raise(L"event 0xE006 5");
    ASSERT_TRUE(target.WaitForCount(1));
    Raise(L"event-list 0xE005 5 0xE008 1 2 3 4");
    ASSERT_TRUE(target.WaitForCount(3));
    Raise(L"event --data array 0xE00B 1 2 3");
    ASSERT_TRUE(target.WaitForCount(4));

    const auto events = target.Events();
    ASSERT_EQ(events.size(), 4u);
    const DWORD thread = subscriber.ThreadId();
    ExpectEvent(events[0], thread, 0xE006, 5);
    ExpectEvent(events[1], thread, 0xE005, 5);
    ExpectEvent(events[2], thread, 0xE008, 1, 2, 3, 4);
    ExpectEvent(events[3], thread, 0xE00B, 1, 2, 3);
}

TEST_F(BiosEventEndToEnd, MalformedEventsAreDroppedAndDeliveryGoesOn)
{
    SubscriberThread subscriber(target);
    ASSERT_TRUE(subscriber.Subscribed());
    Raise(L"event --class OtherEvent 0xE006 1");
    Raise(L"event --data number 0xE006 1");
    Raise(L"event --data missing 0xE006 1");
    Raise(L"event-raw --bytes 3 4 0");
    Raise(L"event-raw");
    Raise(L"event 0xE001 1");
    Raise(L"event-raw 0xFFFF 15 0x003A 0x003A 0x003A");
    Raise(L"event-list 0xE009 0xE00A 0xE025");
    Raise(L"event 0xE025");
    ASSERT_TRUE(target.WaitForCount(5));
    // The last event proves the rest has been processed; nothing more arrives.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const auto events = target.Events();
    ASSERT_EQ(events.size(), 5u);
    const DWORD thread = subscriber.ThreadId();
    ExpectEvent(events[0], thread, 0x003A);
    ExpectEvent(events[1], thread, 0x003A);
    ExpectEvent(events[2], thread, 0x003A);
    ExpectEvent(events[3], thread, 0xE009);
    ExpectEvent(events[4], thread, 0xE025);
}

TEST_F(BiosEventEndToEnd, NoEventsAfterTheSubscriptionEnds)
{
    {
        SubscriberThread subscriber(target);
        ASSERT_TRUE(subscriber.Subscribed());
    }
    Raise(L"event 0xE006 5");
    RecordingTarget later;
    SubscriberThread subscriber(later);
    Raise(L"event 0xE025");
    ASSERT_TRUE(later.WaitForCount(1));
    EXPECT_TRUE(target.Events().empty());
    EXPECT_EQ(later.Events().size(), 1u);
}

TEST_F(BiosEventEndToEnd, WithoutTheFirmwareClassesNothingIsSubscribed)
{
    ASSERT_EQ(Simctl(L"set no-acpiwmi 1"), 0u);
    {
        SubscriberThread subscriber(target);
        EXPECT_FALSE(subscriber.Subscribed());
        Raise(L"event 0xE006 5");
    }
    ASSERT_EQ(Simctl(L"set no-acpiwmi 0"), 0u);
    EXPECT_TRUE(target.Events().empty());
}

// Other running subscribers, as far as the machine can tell: each holds a
// slot and its wake-up event.
std::vector<UniqueHandle> HoldSubscriberSlots(sim::CMachineState& state, int count)
{
    std::vector<UniqueHandle> held;
    sim::CMachineState::Lock machine(state);
    if (!machine.Held()) return held;
    const DWORD process = ::GetCurrentProcessId();
    for (int i = 0; i < count; ++i) {
        const uint32_t cookie = sim::NewSubscriberCookie(*machine);
        UniqueHandle wake(
            ::CreateEventW(nullptr, FALSE, FALSE, sim::SubscriberEventName(process, cookie).c_str()));
        if (!wake || !sim::AddSubscriber(*machine, process, cookie)) break;
        held.push_back(std::move(wake));
    }
    return held;
}

TEST_F(BiosEventEndToEnd, AFullSubscriberTableRefusesTheSubscriptionUntilASubscriberEnds)
{
    sim::CMachineState state;
    ASSERT_TRUE(state.IsOpen());
    std::vector<UniqueHandle> others = HoldSubscriberSlots(state, sim::kMaxSubscribers);
    ASSERT_EQ(others.size(), static_cast<size_t>(sim::kMaxSubscribers));
    {
        SubscriberThread refused(target);
        EXPECT_FALSE(refused.Subscribed());
    }
    others.pop_back(); // that subscriber ends without giving its slot back
    SubscriberThread subscriber(target);
    ASSERT_TRUE(subscriber.Subscribed());
    Raise(L"event 0xE006 5");
    ASSERT_TRUE(target.WaitForCount(1));
    ExpectEvent(target.Events()[0], subscriber.ThreadId(), 0xE006, 5);
}

// A storm of events, raised in-process in batches the machine's queue holds.
TEST_F(BiosEventEndToEnd, AStormOfEventsLeavesNoHandlesBehind)
{
    SubscriberThread subscriber(target);
    ASSERT_TRUE(subscriber.Subscribed());
    sim::CMachineState state;
    ASSERT_TRUE(state.IsOpen());
    const auto raise = [&](size_t count) {
        const size_t before = target.Events().size();
        for (size_t i = 0; i < count; ++i) {
            sim::CMachineState::Lock machine(state);
            ASSERT_TRUE(machine.Held());
            const auto event = sim::EventFromWords({8, 15, 0xE005, 5, 0xE008, 1, 2, 3, 4}, 128);
            sim::WakeSubscribers(*machine, sim::RaiseEvent(*machine, event));
        }
        ASSERT_TRUE(target.WaitForCount(before + 2 * count));
    };
    raise(16);
    const DWORD handlesBefore = CountOpenHandles(::GetCurrentProcess());
    ASSERT_GT(handlesBefore, 0u);
    for (int batch = 0; batch < 1000 / 20; ++batch) raise(20);
    EXPECT_LE(CountOpenHandles(::GetCurrentProcess()), handlesBefore + 8);
    EXPECT_EQ(target.Events().size(), 2u * (16 + 1000));
}

} // namespace
