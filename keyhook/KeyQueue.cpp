#include "KeyQueue.h"

namespace {
bool SameKey(const ZelkeyKey& a, const ZelkeyKey& b) {
    return a.scanCode == b.scanCode && a.ext == b.ext;
}
} // namespace

bool KeyQueue::Add(const ZelkeyKey& key) {
    if (s_.queueCount >= kQueueSize) return false;
    if (s_.queueCount == 0) {
        s_.queueHead = s_.queueTail = 0;
    } else {
        if (SameKey(s_.queue[s_.queueTail & kQueueMask], key)) return false;
        s_.queueTail = (s_.queueTail + 1) & kQueueMask;
    }
    s_.queue[s_.queueTail] = {key.scanCode, 0, key.ext};
    ++s_.queueCount;
    return true;
}

bool KeyQueue::Take(ZelkeyKey& key) {
    if (s_.queueCount == 0) return false;
    if (s_.queueCount > kQueueSize) s_.queueCount = kQueueSize;
    s_.queueHead &= kQueueMask;
    key = s_.queue[s_.queueHead];
    s_.queueHead = (s_.queueHead + 1) & kQueueMask;
    if (--s_.queueCount == 0) s_.queueHead = s_.queueTail = 0;
    return true;
}

void KeyQueue::Clear() {
    s_.queueCount = s_.queueHead = s_.queueTail = 0;
    for (auto& entry : s_.queue) entry = {};
}
