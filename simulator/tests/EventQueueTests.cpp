#include <gtest/gtest.h>

#include <cstring>

#include "EventQueue.h"
#include "TestMachine.h"
#include "UniqueHandle.h"

namespace {

std::unique_ptr<sim::SimMachine> EmptyMachine()
{
    auto machine = std::make_unique<sim::SimMachine>();
    std::memset(machine.get(), 0, sizeof(sim::SimMachine));
    return machine;
}

TEST(EventQueue, WordsAreLittleEndianAndPaddedToTheFirmwareBuffer)
{
    sim::SimEvent event = sim::EventFromWords({3, 0, 0xE006, 5}, 128);
    EXPECT_EQ(event.length, 128);
    EXPECT_STREQ(event.className, L"BIOSEvent");
    EXPECT_EQ(event.dataKind, sim::EventDataKind::EmbeddedObject);
    const uint8_t expected[] = {3, 0, 0, 0, 0x06, 0xE0, 5, 0, 0, 0};
    EXPECT_EQ(std::memcmp(event.data, expected, sizeof expected), 0);

    EXPECT_EQ(sim::EventFromWords({1, 2, 3}, 0).length, 6);
    std::vector<uint16_t> many(200, 0xABCD);
    sim::SimEvent full = sim::EventFromWords(many, 0);
    EXPECT_EQ(full.length, sim::kEventBytes);
    EXPECT_EQ(full.data[sim::kEventBytes - 1], 0xAB);
}

TEST(EventQueue, SubscribersSeeOnlyEventsAfterTheirMark)
{
    auto machine = EmptyMachine();
    sim::RaiseEvent(*machine, sim::EventFromWords({2, 0, 0xE009}, 128));
    uint32_t seen = machine->eventCount;
    sim::RaiseEvent(*machine, sim::EventFromWords({2, 0, 0xE00A}, 128));
    sim::RaiseEvent(*machine, sim::EventFromWords({2, 0, 0xE00B}, 128));
    std::vector<sim::SimEvent> events = sim::EventsAfter(*machine, seen);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].data[4], 0x0A);
    EXPECT_EQ(events[1].sequence, 3u);
    EXPECT_TRUE(sim::EventsAfter(*machine, 3).empty());
}

TEST(EventQueue, ASlowSubscriberGetsTheNewestQueueful)
{
    auto machine = EmptyMachine();
    for (uint16_t i = 0; i < sim::kMaxEvents + 10; ++i)
        sim::RaiseEvent(*machine, sim::EventFromWords({i}, 0));
    std::vector<sim::SimEvent> events = sim::EventsAfter(*machine, 0);
    ASSERT_EQ(events.size(), static_cast<size_t>(sim::kMaxEvents));
    EXPECT_EQ(events.front().sequence, 11u);
    EXPECT_EQ(events.back().data[0], sim::kMaxEvents + 9);
}

// A subscriber as the DLL makes one: its wake-up event first, then its slot.
struct Subscriber {
    uint32_t cookie = 0;
    UniqueHandle wake;
};

bool Subscribe(sim::SimMachine& machine, uint32_t processId, Subscriber& subscriber)
{
    subscriber.cookie = sim::NewSubscriberCookie(machine);
    subscriber.wake.reset(::CreateEventW(nullptr, FALSE, FALSE,
                                         sim::SubscriberEventName(processId, subscriber.cookie).c_str()));
    return subscriber.wake && sim::AddSubscriber(machine, processId, subscriber.cookie);
}

size_t Woken(sim::SimMachine& machine)
{
    return sim::RaiseEvent(machine, sim::EventFromWords({0}, 0)).size();
}

TEST(EventQueue, SubscriberSlotsAreBoundedAndFreed)
{
    auto machine = EmptyMachine();
    Subscriber subscribers[sim::kMaxSubscribers];
    for (Subscriber& s : subscribers) ASSERT_TRUE(Subscribe(*machine, 42, s));
    Subscriber extra;
    EXPECT_FALSE(Subscribe(*machine, 42, extra));
    EXPECT_NE(subscribers[0].cookie, subscribers[1].cookie);
    EXPECT_EQ(Woken(*machine), static_cast<size_t>(sim::kMaxSubscribers));

    sim::RemoveSubscriber(*machine, 42, subscribers[3].cookie);
    EXPECT_TRUE(Subscribe(*machine, 43, extra));
    // Waking frees the slot of a subscriber whose wake-up event is gone.
    subscribers[5].wake.reset();
    sim::WakeSubscribers(*machine, sim::RaiseEvent(*machine, sim::EventFromWords({0}, 0)));
    EXPECT_EQ(Woken(*machine), static_cast<size_t>(sim::kMaxSubscribers - 1));
}

// Subscribers killed one after another leave no event raised in between that
// would free their slots; the next subscriber must still find one.
TEST(EventQueue, SlotsOfEndedSubscribersAreFreedWhenTheNextOneSubscribes)
{
    auto machine = EmptyMachine();
    for (int killed = 0; killed < sim::kMaxSubscribers + 1; ++killed) {
        Subscriber subscriber;
        ASSERT_TRUE(Subscribe(*machine, 42, subscriber)) << "subscriber " << killed;
    }
    Subscriber next;
    ASSERT_TRUE(Subscribe(*machine, 43, next));
    EXPECT_EQ(Woken(*machine), 1u);

    // A live subscriber keeps its slot: only ended ones make room.
    Subscriber live[sim::kMaxSubscribers - 1];
    for (Subscriber& s : live) ASSERT_TRUE(Subscribe(*machine, 44, s));
    Subscriber extra;
    EXPECT_FALSE(Subscribe(*machine, 44, extra));
    live[7].wake.reset();
    EXPECT_TRUE(Subscribe(*machine, 44, extra));
    EXPECT_EQ(Woken(*machine), static_cast<size_t>(sim::kMaxSubscribers));
}

TEST(EventQueue, CookiesAreNeverZero)
{
    auto machine = EmptyMachine();
    machine->nextCookie = 0xFFFFFFFFu;
    EXPECT_EQ(sim::NewSubscriberCookie(*machine), 1u);
    EXPECT_EQ(sim::NewSubscriberCookie(*machine), 2u);
}

} // namespace
