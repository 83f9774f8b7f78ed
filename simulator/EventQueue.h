#pragma once
#include <string>
#include <vector>

#include "SimMachine.h"

namespace sim {

// Firmware events pass through the shared block: simctl appends them and wakes
// each subscribed process through its own named event; a subscriber takes the
// events it has not seen yet.

// A BIOSEvent whose Data holds the words little-endian, zero-padded to at
// least `minimumBytes` (the firmware's fixed event buffer), at most kEventBytes.
SimEvent EventFromWords(const std::vector<uint16_t>& words, size_t minimumBytes);

// The wake-up event of one subscription.
std::wstring SubscriberEventName(uint32_t processId, uint32_t cookie);

// A cookie no subscriber has had: a subscriber takes one, creates its wake-up
// event under it and then adds its slot, so a slot whose event is gone
// belongs to a subscriber that has ended.
uint32_t NewSubscriberCookie(SimMachine& machine);

// Whether the subscriber's wake-up event still exists. The system closes it
// when the process ends, however it ends.
bool SubscriberAlive(const SimSubscriber& subscriber);

// Frees the slots of subscribers that have ended, then takes a slot; false
// when all are held by live subscribers.
bool AddSubscriber(SimMachine& machine, uint32_t processId, uint32_t cookie);
void RemoveSubscriber(SimMachine& machine, uint32_t processId, uint32_t cookie);

// Queues an event and returns the subscribers to wake.
std::vector<SimSubscriber> RaiseEvent(SimMachine& machine, const SimEvent& event);

// Events after sequence `seen`, oldest first (at most the queue's length).
std::vector<SimEvent> EventsAfter(const SimMachine& machine, uint32_t seen);

// Sets every subscriber's wake-up event; slots whose process is gone are freed.
void WakeSubscribers(SimMachine& machine, const std::vector<SimSubscriber>& subscribers);

} // namespace sim
