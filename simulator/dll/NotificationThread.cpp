#include "NotificationThread.h"

#include <algorithm>

namespace sim {
namespace {

// One wait slot is the thread's own change event.
constexpr size_t kMostWatches = MAXIMUM_WAIT_OBJECTS - 1;
// How long a removal waits before it wakes the thread again: a removal on
// another thread may have taken the thread's answer.
constexpr DWORD kSettleWaitMs = 50;

} // namespace

CNotificationThread& CNotificationThread::Get()
{
    // Never destroyed: the thread may still run while the process ends.
    static CNotificationThread* thread = new CNotificationThread;
    return *thread;
}

uint32_t CNotificationThread::Add(HANDLE wake, Handler handler, void* context)
{
    if (!wake || !handler) return 0;
    uint32_t id = 0;
    {
        CriticalSectionLock lock(m_lock);
        if (m_watches.size() >= kMostWatches || !StartThread()) return 0;
        if (++m_lastId == 0) ++m_lastId;
        id = m_lastId;
        m_watches.push_back(Watch{id, wake, handler, context});
        ++m_generation;
    }
    ::SetEvent(m_changed.get());
    return id;
}

void CNotificationThread::Remove(uint32_t id)
{
    uint64_t generation = 0;
    {
        CriticalSectionLock lock(m_lock);
        const auto it = std::find_if(m_watches.begin(), m_watches.end(),
                                     [id](const Watch& watch) { return watch.id == id; });
        if (it == m_watches.end()) return;
        m_watches.erase(it);
        generation = ++m_generation;
    }
    Resettle(generation);
}

// Under m_lock. The thread holds a reference on this module, so a process
// that frees it while the thread is ending keeps the code it runs.
bool CNotificationThread::StartThread()
{
    if (m_thread) return true;
    if (!m_changed || !m_settled) return false;
    HMODULE module = nullptr;
    if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                              reinterpret_cast<LPCWSTR>(&CNotificationThread::Run), &module))
        return false;
    m_thread.reset(::CreateThread(nullptr, 0, &CNotificationThread::Run, module, 0, &m_threadId));
    if (!m_thread) ::FreeLibrary(module);
    return static_cast<bool>(m_thread);
}

DWORD WINAPI CNotificationThread::Run(void* module)
{
    while (Get().WaitOnce()) {}
    ::FreeLibraryAndExitThread(static_cast<HMODULE>(module), 0);
}

bool CNotificationThread::WaitOnce()
{
    HANDLE handles[kMostWatches + 1] = {m_changed.get()};
    Watch watches[kMostWatches + 1] = {};
    DWORD count = 1;
    {
        CriticalSectionLock lock(m_lock);
        for (const Watch& watch : m_watches) {
            watches[count] = watch;
            handles[count++] = watch.wake;
        }
        m_taken = m_generation;
        // The handle goes here, under the lock, so a new watch starts a new thread.
        if (count == 1) m_thread.reset();
    }
    ::SetEvent(m_settled.get());
    if (count == 1) return false;
    const DWORD result = ::WaitForMultipleObjects(count, handles, FALSE, INFINITE);
    if (result > WAIT_OBJECT_0 && result < WAIT_OBJECT_0 + count) {
        const Watch& woken = watches[result - WAIT_OBJECT_0];
        woken.handler(woken.context);
    } else if (result != WAIT_OBJECT_0) {
        CriticalSectionLock lock(m_lock);
        m_thread.reset();
        return false;
    }
    return true;
}

// A removal from a handler needs no wait: the thread takes the new list
// before it waits again.
void CNotificationThread::Resettle(uint64_t generation)
{
    for (;;) {
        {
            CriticalSectionLock lock(m_lock);
            if (m_taken >= generation || !m_thread || m_threadId == ::GetCurrentThreadId()) return;
        }
        ::SetEvent(m_changed.get());
        ::WaitForSingleObject(m_settled.get(), kSettleWaitMs);
    }
}

} // namespace sim
