#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "CriticalSection.h"
#include "UniqueHandle.h"

namespace sim {

// The one thread of this process that waits for the machine's wake-up
// events: the firmware-event subscriptions and the audio listener each add
// an event and what to run on this thread when it is set. Under Wine each
// thread costs the process about a megabyte, so every kind shares it. The
// thread starts with the first watch and ends when the last is removed.
class CNotificationThread {
public:
    using Handler = void (*)(void* context);

    static CNotificationThread& Get();

    // Runs handler(context) on the thread each time `wake` is set. Returns the
    // watch's id, 0 when the thread cannot start or waits on all it can.
    uint32_t Add(HANDLE wake, Handler handler, void* context);
    // Once it returns, the thread neither waits on the watch's event nor runs
    // its handler again, so the caller may close the one and free what the
    // other uses. Called from a handler, the run under way is the last.
    void Remove(uint32_t id);

private:
    struct Watch {
        uint32_t id = 0;
        HANDLE wake = nullptr;
        Handler handler = nullptr;
        void* context = nullptr;
    };

    CNotificationThread() = default;
    static DWORD WINAPI Run(void* module);
    // The thread's loop; false once no watch is left.
    bool WaitOnce();
    // Under m_lock: starts the thread when there is none.
    bool StartThread();
    // Wakes the thread until it has taken the list of `generation` or a later one.
    void Resettle(uint64_t generation);

    CriticalSection m_lock;
    std::vector<Watch> m_watches;
    // Set when m_watches changes; the thread then takes the new list.
    UniqueHandle m_changed{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    // Set by the thread each time it has taken the list.
    UniqueHandle m_settled{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    UniqueHandle m_thread;
    DWORD m_threadId = 0;
    // Changes made to the list, and the last one the thread has taken.
    uint64_t m_generation = 0;
    uint64_t m_taken = 0;
    uint32_t m_lastId = 0;
};

} // namespace sim
