#pragma once
#include <windows.h>

#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <wrl/client.h>

#include <cstdint>
#include <vector>

#include "CriticalSection.h"
#include "SimMachine.h"
#include "UniqueHandle.h"

namespace sim {

// The audio callbacks registered in this process. The process's notification
// thread delivers the machine's audio changes to them, as the system's audio
// service does on a thread of its own. It watches for them while any callback
// is registered; every change, from this process or another, wakes it
// through the process's named event.
//
// Delivery happens under the notifier's lock and checks each callback is
// still registered, so once a Remove returns its callback is never called
// again (its owner may free it at once).
class CAudioNotifier {
public:
    static CAudioNotifier& Get();

    HRESULT AddVolumeCallback(uint32_t endpoint, IAudioEndpointVolumeCallback* callback);
    HRESULT RemoveVolumeCallback(uint32_t endpoint, IAudioEndpointVolumeCallback* callback);
    HRESULT AddClient(IMMNotificationClient* client);
    HRESULT RemoveClient(IMMNotificationClient* client);

private:
    struct VolumeEntry {
        uint32_t endpoint;
        Microsoft::WRL::ComPtr<IAudioEndpointVolumeCallback> callback;
    };
    CAudioNotifier() = default;
    size_t Registered() const { return m_volume.size() + m_clients.size(); }
    // Both called with m_lock held.
    HRESULT StartWatcher();
    void PublishCount();
    // Called without the lock once the last callback left; `wake` closes after the watch is gone.
    static void StopWatcher(uint32_t watch, UniqueHandle wake, uint32_t cookie);
    template <typename List, typename Matches>
    HRESULT Remove(List& list, Matches matches);
    // Runs on the notification thread.
    static void Wake(void* notifier);
    void Deliver();
    void DeliverChange(const SimAudioChange& change);
    bool StillRegistered(uint32_t endpoint, IAudioEndpointVolumeCallback* callback) const;
    bool StillRegistered(IMMNotificationClient* client) const;

    CriticalSection m_lock;
    std::vector<VolumeEntry> m_volume;
    std::vector<Microsoft::WRL::ComPtr<IMMNotificationClient>> m_clients;
    UniqueHandle m_wake;
    // The notification thread's watch on m_wake, 0 while there is none.
    uint32_t m_watch = 0;
    uint32_t m_cookie = 0;
    uint32_t m_seen = 0;
};

} // namespace sim
