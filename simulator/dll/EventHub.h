#pragma once
#include <windows.h>

#include <wbemidl.h>
#include <wrl/client.h>

#include <memory>
#include <vector>

#include "CriticalSection.h"
#include "SimMachine.h"
#include "UniqueHandle.h"

namespace sim {

// Event subscriptions of this process (BIOSEvent, WmiMonitorBrightnessEvent). Each subscription delivers into
// the apartment of the thread that subscribed: a hidden window on that thread
// receives a message from the process's one waiter thread whenever simctl
// raises an event, and Indicate then runs on the subscribing thread, as WMI
// does for an apartment-threaded caller. One waiter serves every
// subscription, as each thread costs the process about a megabyte; it ends
// with the last subscription.
class CEventHub {
public:
    static CEventHub& Get();
    // "SELECT * FROM BIOSEvent" or "... WmiMonitorBrightnessEvent" in WQL
    // (case and spacing as WQL allows), and which events it selects.
    static bool SelectsEvents(const BSTR language, const BSTR query, EventStream& stream);

    HRESULT Subscribe(IWbemObjectSink* sink, EventStream stream);
    // Ends every subscription of the sink; false when it has none here.
    bool Cancel(IWbemObjectSink* sink);

private:
    struct Subscription {
        Microsoft::WRL::ComPtr<IWbemObjectSink> sink;
        EventStream stream = EventStream::Firmware;
        HWND window = nullptr;
        DWORD thread = 0;
        uint32_t cookie = 0;
        uint32_t seen = 0;
        UniqueHandle wake;
    };

    CEventHub() = default;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static DWORD WINAPI Wait(void* module);
    // The waiter's loop; false once no subscription is left.
    bool WaitOnce();
    // Under m_lock: starts the waiter when there is none.
    bool StartWaiter();
    // Wakes the waiter until it has taken the list of `generation` or a
    // later one (an empty list ends it), so nothing removed is still waited on.
    void Resettle(uint64_t generation);
    // A slot in the machine's subscriber table, WBEM_E_QUOTA_VIOLATION when none is free.
    static HRESULT TakeSlot(Subscription& subscription);
    void Deliver(HWND window);
    void Stop(Subscription& subscription, uint64_t generation);

    CriticalSection m_lock;
    std::vector<std::unique_ptr<Subscription>> m_subscriptions;
    // Set when m_subscriptions changes; the waiter then takes the new list.
    UniqueHandle m_changed{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    // Set by the waiter each time it has taken the list.
    UniqueHandle m_settled{::CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    UniqueHandle m_waiter;
    // Changes made to the list, and the last one the waiter has taken.
    uint64_t m_generation = 0;
    uint64_t m_taken = 0;
};

} // namespace sim
