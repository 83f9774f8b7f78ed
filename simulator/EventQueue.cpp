#include "EventQueue.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "UniqueHandle.h"

namespace sim {

SimEvent EventFromWords(const std::vector<uint16_t>& words, size_t minimumBytes)
{
    SimEvent event{};
    wcscpy(event.className, L"BIOSEvent");
    event.dataKind = EventDataKind::EmbeddedObject;
    size_t length = std::min<size_t>(std::max(words.size() * 2, minimumBytes), kEventBytes);
    for (size_t i = 0; i < words.size() && 2 * i + 1 < length; ++i) {
        event.data[2 * i] = static_cast<uint8_t>(words[i]);
        event.data[2 * i + 1] = static_cast<uint8_t>(words[i] >> 8);
    }
    event.length = static_cast<uint16_t>(length);
    return event;
}

std::wstring SubscriberEventName(uint32_t processId, uint32_t cookie)
{
    return L"TavrinSimBiosEvent." + std::to_wstring(processId) + L"." + std::to_wstring(cookie);
}

uint32_t NewSubscriberCookie(SimMachine& machine)
{
    if (++machine.nextCookie == 0) ++machine.nextCookie; // 0 never names a subscriber
    return machine.nextCookie;
}

bool SubscriberAlive(const SimSubscriber& subscriber)
{
    UniqueHandle wake(::OpenEventW(SYNCHRONIZE, FALSE,
                                   SubscriberEventName(subscriber.processId, subscriber.cookie).c_str()));
    return static_cast<bool>(wake);
}

bool AddSubscriber(SimMachine& machine, uint32_t processId, uint32_t cookie)
{
    SimSubscriber* vacant = nullptr;
    for (SimSubscriber& slot : machine.subscribers) {
        if (slot.processId != 0 && !SubscriberAlive(slot)) slot = SimSubscriber{};
        if (slot.processId == 0 && !vacant) vacant = &slot;
    }
    if (!vacant) return false;
    *vacant = SimSubscriber{processId, cookie};
    return true;
}

void RemoveSubscriber(SimMachine& machine, uint32_t processId, uint32_t cookie)
{
    for (SimSubscriber& slot : machine.subscribers) {
        if (slot.processId == processId && slot.cookie == cookie) slot = SimSubscriber{};
    }
}

std::vector<SimSubscriber> RaiseEvent(SimMachine& machine, const SimEvent& event)
{
    SimEvent& slot = machine.events[machine.eventCount % kMaxEvents];
    slot = event;
    slot.sequence = ++machine.eventCount;
    std::vector<SimSubscriber> subscribers;
    for (const SimSubscriber& s : machine.subscribers) {
        if (s.processId != 0) subscribers.push_back(s);
    }
    return subscribers;
}

std::vector<SimEvent> EventsAfter(const SimMachine& machine, uint32_t seen)
{
    uint32_t first = seen + 1;
    if (machine.eventCount >= kMaxEvents && first < machine.eventCount - kMaxEvents + 1) {
        first = machine.eventCount - kMaxEvents + 1;
    }
    std::vector<SimEvent> events;
    for (uint32_t n = first; n <= machine.eventCount; ++n)
        events.push_back(machine.events[(n - 1) % kMaxEvents]);
    return events;
}

void WakeSubscribers(SimMachine& machine, const std::vector<SimSubscriber>& subscribers)
{
    for (const SimSubscriber& s : subscribers) {
        UniqueHandle wake(
            ::OpenEventW(EVENT_MODIFY_STATE, FALSE, SubscriberEventName(s.processId, s.cookie).c_str()));
        if (wake) {
            ::SetEvent(wake.get());
        } else {
            RemoveSubscriber(machine, s.processId, s.cookie);
        }
    }
}

} // namespace sim
