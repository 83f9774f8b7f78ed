#pragma once
#include "UniqueHandle.h"

// Holds "keyQueueMutex" for one scope. The mutex is opened by name in
// whatever process runs the hook, waited for at most the given time and
// released and closed on every path. An abandoned mutex (its last owner
// died) counts as acquired: the queue checks its own indices.
class QueueMutexLock {
public:
    static constexpr const wchar_t* kName = L"keyQueueMutex";

    explicit QueueMutexLock(DWORD timeoutMs);
    ~QueueMutexLock();
    QueueMutexLock(const QueueMutexLock&) = delete;
    QueueMutexLock& operator=(const QueueMutexLock&) = delete;

    bool Held() const { return m_held; }
    bool MutexExists() const { return static_cast<bool>(m_mutex); }

private:
    UniqueHandle m_mutex;
    bool m_held = false;
};
