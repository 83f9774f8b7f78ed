#include "KeyQueue.h"

namespace {
bool SameKey(const ZelkeyKey& a, const ZelkeyKey& b)
{
    return a.scanCode == b.scanCode && a.ext == b.ext;
}
} // namespace

void KeyQueue::RequestClear(SharedState& state)
{
    __atomic_store_n(&state.clearPending, 1u, __ATOMIC_SEQ_CST);
}

void KeyQueue::SettlePendingClear()
{
    if (__atomic_exchange_n(&m_s.clearPending, 0u, __ATOMIC_SEQ_CST)) Clear();
}

bool KeyQueue::Add(const ZelkeyKey& key)
{
    SettlePendingClear();
    if (m_s.queueCount >= kQueueSize) return false;
    if (m_s.queueCount == 0) {
        m_s.queueHead = m_s.queueTail = 0;
    } else {
        if (SameKey(m_s.queue[m_s.queueTail & kQueueMask], key)) return false;
        m_s.queueTail = (m_s.queueTail + 1) & kQueueMask;
    }
    m_s.queue[m_s.queueTail] = {key.scanCode, 0, key.ext};
    ++m_s.queueCount;
    return true;
}

bool KeyQueue::Take(ZelkeyKey& key)
{
    SettlePendingClear();
    if (m_s.queueCount == 0) return false;
    if (m_s.queueCount > kQueueSize) m_s.queueCount = kQueueSize;
    m_s.queueHead &= kQueueMask;
    key = m_s.queue[m_s.queueHead];
    m_s.queueHead = (m_s.queueHead + 1) & kQueueMask;
    if (--m_s.queueCount == 0) m_s.queueHead = m_s.queueTail = 0;
    return true;
}

void KeyQueue::Clear()
{
    m_s.clearPending = 0;
    m_s.queueCount = m_s.queueHead = m_s.queueTail = 0;
    for (auto& entry : m_s.queue) entry = {};
}
