#pragma once
#include "Zelkey.h"

// The state every process that maps the DLL sees at the same address: the
// watched keys and the key queue. Its layout is fixed so that processes
// built at different times agree on it.

inline constexpr uint32_t kQueueSize = 128;
inline constexpr uint32_t kQueueMask = kQueueSize - 1;

struct OemKey {
    uint16_t scanCode;
    uint16_t reserved;
    int32_t ext;
};
static_assert(sizeof(OemKey) == 8);

struct SharedState {
    int32_t logLevel;
    uint32_t oemKeyCount;
    int32_t nt4;
    int32_t eventCreated;
    HANDLE keyEvent;
    HHOOK keyboardHookHandle;
    OemKey oemKeys[kMaxOemKeys];
    uint32_t queueCount;
    uint32_t queueTail;
    uint32_t queueHead;
    // Set when the queue is to be emptied by whoever holds it next.
    uint32_t clearPending;
    HANDLE queueMutex;
    ZelkeyKey queue[kQueueSize];
};
static_assert(offsetof(SharedState, logLevel) == 0);
static_assert(offsetof(SharedState, oemKeyCount) == 4);
static_assert(offsetof(SharedState, nt4) == 8);
static_assert(offsetof(SharedState, eventCreated) == 12);
static_assert(offsetof(SharedState, keyEvent) == 16);
static_assert(offsetof(SharedState, keyboardHookHandle) == 24);
static_assert(offsetof(SharedState, oemKeys) == 32);
static_assert(offsetof(SharedState, queueCount) == 320);
static_assert(offsetof(SharedState, queueTail) == 324);
static_assert(offsetof(SharedState, queueHead) == 328);
static_assert(offsetof(SharedState, queueMutex) == 336);
static_assert(offsetof(SharedState, queue) == 344);
static_assert(sizeof(SharedState) == 1368);
