#include <gtest/gtest.h>

#include <cstring>

#include "EventQueue.h"
#include "TestMachine.h"

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

TEST(EventQueue, SubscriberSlotsAreBoundedAndFreed)
{
    auto machine = EmptyMachine();
    uint32_t cookies[sim::kMaxSubscribers] = {};
    for (uint32_t& cookie : cookies) ASSERT_TRUE(sim::AddSubscriber(*machine, 42, cookie));
    uint32_t extra = 0;
    EXPECT_FALSE(sim::AddSubscriber(*machine, 42, extra));
    EXPECT_NE(cookies[0], cookies[1]);
    EXPECT_EQ(sim::RaiseEvent(*machine, sim::EventFromWords({0}, 0)).size(),
              static_cast<size_t>(sim::kMaxSubscribers));

    sim::RemoveSubscriber(*machine, 42, cookies[3]);
    EXPECT_TRUE(sim::AddSubscriber(*machine, 43, extra));
    // Nobody holds these wake-up events, so waking frees every slot.
    sim::WakeSubscribers(*machine, sim::RaiseEvent(*machine, sim::EventFromWords({0}, 0)));
    EXPECT_TRUE(sim::RaiseEvent(*machine, sim::EventFromWords({0}, 0)).empty());
}

} // namespace
