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
// receives a message from the process's notification thread whenever simctl
// raises an event, and Indicate then runs on the subscribing thread, as WMI
// does for an apartment-threaded caller.
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
        // The notification thread's watch on `wake`.
        uint32_t watch = 0;
    };

    CEventHub() = default;
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Runs on the notification thread: hands the delivery to the subscribing thread.
    static void Wake(void* window);
    // A slot in the machine's subscriber table, WBEM_E_QUOTA_VIOLATION when none is free.
    static HRESULT TakeSlot(Subscription& subscription);
    void Deliver(HWND window);
    void Stop(Subscription& subscription);

    CriticalSection m_lock;
    std::vector<std::unique_ptr<Subscription>> m_subscriptions;
};

} // namespace sim
