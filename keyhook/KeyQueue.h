#pragma once
#include "SharedState.h"

// The circular key queue inside the shared state. Not locked: the caller
// holds "keyQueueMutex". Indices and count are checked on every use, since
// a process that died half-way through an update may have left them torn.
class KeyQueue {
public:
    explicit KeyQueue(SharedState& state) : m_s(state) {}

    // False when the key was dropped: queue full, or the same key is the
    // most recent one and still waiting.
    bool Add(const ZelkeyKey& key);
    // False when the queue is empty.
    bool Take(ZelkeyKey& key);
    bool Empty()
    {
        SettlePendingClear();
        return m_s.queueCount == 0;
    }
    void Clear();
    // For a caller that could not take the mutex: the next holder empties
    // the queue before it touches it.
    static void RequestClear(SharedState& state);

private:
    void SettlePendingClear();

    SharedState& m_s;
};
