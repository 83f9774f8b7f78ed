#include "AudioNotifier.h"

#include <algorithm>
#include <cstddef>

#include "AudioModel.h"
#include "Machine.h"
#include "NotificationThread.h"

using Microsoft::WRL::ComPtr;

namespace sim {
namespace {

// The notification data with one volume per channel after the header.
std::vector<uint8_t> NotificationData(const SimAudioChange& change)
{
    const uint32_t channels = change.channels == 0 ? 1 : change.channels;
    std::vector<uint8_t> bytes(offsetof(AUDIO_VOLUME_NOTIFICATION_DATA, afChannelVolumes)
                               + channels * sizeof(float));
    auto* data = reinterpret_cast<AUDIO_VOLUME_NOTIFICATION_DATA*>(bytes.data());
    data->guidEventContext = change.context;
    data->bMuted = change.muted ? TRUE : FALSE;
    data->fMasterVolume = change.scalar;
    data->nChannels = channels;
    for (uint32_t i = 0; i < channels; ++i) data->afChannelVolumes[i] = change.scalar;
    return bytes;
}

} // namespace

CAudioNotifier& CAudioNotifier::Get()
{
    // Never destroyed: registered callbacks may be held until the process ends.
    static CAudioNotifier* notifier = new CAudioNotifier;
    return *notifier;
}

HRESULT CAudioNotifier::AddVolumeCallback(uint32_t endpoint, IAudioEndpointVolumeCallback* callback)
{
    if (!callback) return E_POINTER;
    CriticalSectionLock lock(m_lock);
    if (StillRegistered(endpoint, callback)) return S_OK;
    HRESULT started = StartWatcher();
    if (FAILED(started)) return started;
    m_volume.push_back(VolumeEntry{endpoint, callback});
    PublishCount();
    return S_OK;
}

HRESULT CAudioNotifier::AddClient(IMMNotificationClient* client)
{
    if (!client) return E_POINTER;
    CriticalSectionLock lock(m_lock);
    if (StillRegistered(client)) return S_OK;
    HRESULT started = StartWatcher();
    if (FAILED(started)) return started;
    m_clients.push_back(client);
    PublishCount();
    return S_OK;
}

HRESULT CAudioNotifier::RemoveVolumeCallback(uint32_t endpoint, IAudioEndpointVolumeCallback* callback)
{
    if (!callback) return E_POINTER;
    return Remove(m_volume, [&](const auto& entry) {
        return entry.endpoint == endpoint && entry.callback.Get() == callback;
    });
}

HRESULT CAudioNotifier::RemoveClient(IMMNotificationClient* client)
{
    if (!client) return E_POINTER;
    return Remove(m_clients, [&](const auto& entry) { return entry.Get() == client; });
}

// The registration goes under the lock; the watch, when it was the last,
// ends outside it (a delivery under way holds the lock), and the object is
// released after that.
template <typename List, typename Matches>
HRESULT CAudioNotifier::Remove(List& list, Matches matches)
{
    typename List::value_type removed{};
    UniqueHandle wake;
    uint32_t watch = 0;
    uint32_t cookie = 0;
    {
        CriticalSectionLock lock(m_lock);
        const auto it = std::find_if(list.begin(), list.end(), matches);
        if (it == list.end()) return E_INVALIDARG;
        removed = std::move(*it);
        list.erase(it);
        PublishCount();
        if (Registered() == 0) {
            wake = std::move(m_wake);
            watch = m_watch;
            cookie = m_cookie;
            m_watch = 0;
            m_cookie = 0;
        }
    }
    if (watch) StopWatcher(watch, std::move(wake), cookie);
    return S_OK;
}

// The wake-up event exists before the listener slot is taken, as the
// firmware-event subscribers do: a slot whose event is gone is free.
HRESULT CAudioNotifier::StartWatcher()
{
    if (m_watch) return S_OK;
    uint32_t cookie = 0;
    {
        CMachineState::Lock machine(Machine());
        if (!machine.Held()) return E_FAIL;
        cookie = NewAudioListenerCookie(machine->audio);
    }
    UniqueHandle wake(::CreateEventW(nullptr, FALSE, FALSE,
                                     AudioListenerEventName(::GetCurrentProcessId(), cookie).c_str()));
    if (!wake) return E_FAIL;
    {
        CMachineState::Lock machine(Machine());
        if (!machine.Held() || !AddAudioListener(machine->audio, ::GetCurrentProcessId(), cookie)) {
            ::OutputDebugStringW(L"TavrinSim: every audio listener slot is held by a running process\n");
            return E_OUTOFMEMORY;
        }
        m_seen = machine->audio.changeCount;
    }
    const uint32_t watch = CNotificationThread::Get().Add(wake.get(), &CAudioNotifier::Wake, this);
    if (!watch) {
        CMachineState::Lock machine(Machine());
        if (machine.Held()) RemoveAudioListener(machine->audio, ::GetCurrentProcessId(), cookie);
        return E_FAIL;
    }
    m_wake = std::move(wake);
    m_watch = watch;
    m_cookie = cookie;
    return S_OK;
}

void CAudioNotifier::PublishCount()
{
    if (!m_cookie) return;
    CMachineState::Lock machine(Machine());
    if (machine.Held()) {
        SetListenerCallbacks(machine->audio, ::GetCurrentProcessId(), m_cookie,
                             static_cast<uint32_t>(Registered()));
    }
}

void CAudioNotifier::StopWatcher(uint32_t watch, UniqueHandle wake, uint32_t cookie)
{
    CNotificationThread::Get().Remove(watch);
    wake.reset();
    CMachineState::Lock machine(Machine());
    if (machine.Held()) RemoveAudioListener(machine->audio, ::GetCurrentProcessId(), cookie);
}

void CAudioNotifier::Wake(void* notifier)
{
    static_cast<CAudioNotifier*>(notifier)->Deliver();
}

void CAudioNotifier::Deliver()
{
    CriticalSectionLock lock(m_lock);
    std::vector<SimAudioChange> changes;
    {
        CMachineState::Lock machine(Machine());
        if (!machine.Held()) return;
        changes = AudioChangesAfter(machine->audio, m_seen);
    }
    if (changes.empty()) return;
    m_seen = changes.back().sequence;
    for (const SimAudioChange& change : changes) DeliverChange(change);
}

void CAudioNotifier::DeliverChange(const SimAudioChange& change)
{
    if (change.kind == AudioChangeKind::Volume) {
        std::vector<uint8_t> data = NotificationData(change);
        // A copy: a callback may unregister itself or another one.
        const std::vector<VolumeEntry> entries = m_volume;
        for (const VolumeEntry& entry : entries) {
            if (entry.endpoint != change.endpoint || !StillRegistered(entry.endpoint, entry.callback.Get())) {
                continue;
            }
            entry.callback->OnNotify(reinterpret_cast<AUDIO_VOLUME_NOTIFICATION_DATA*>(data.data()));
        }
        return;
    }
    if (change.kind != AudioChangeKind::DefaultDevice) return;
    wchar_t id[kEndpointTextLength + 1] = {};
    {
        CMachineState::Lock machine(Machine());
        if (!machine.Held()) return;
        const SimAudioEndpoint* endpoint = Endpoint(machine->audio, change.endpoint);
        if (!endpoint) return;
        wcsncpy(id, endpoint->id, kEndpointTextLength);
    }
    const std::vector<ComPtr<IMMNotificationClient>> clients = m_clients;
    for (const ERole role : {eConsole, eMultimedia}) {
        for (const ComPtr<IMMNotificationClient>& client : clients) {
            if (StillRegistered(client.Get())) client->OnDefaultDeviceChanged(eRender, role, id);
        }
    }
}

bool CAudioNotifier::StillRegistered(uint32_t endpoint, IAudioEndpointVolumeCallback* callback) const
{
    for (const VolumeEntry& entry : m_volume) {
        if (entry.endpoint == endpoint && entry.callback.Get() == callback) return true;
    }
    return false;
}

bool CAudioNotifier::StillRegistered(IMMNotificationClient* client) const
{
    for (const ComPtr<IMMNotificationClient>& c : m_clients) {
        if (c.Get() == client) return true;
    }
    return false;
}

} // namespace sim
