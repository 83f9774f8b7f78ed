#include "AudioNotifier.h"

#include <algorithm>
#include <cstddef>
#include <memory>

#include "AudioModel.h"
#include "Machine.h"

using Microsoft::WRL::ComPtr;

namespace sim {
namespace {

UniqueHandle Duplicate(HANDLE handle)
{
    HANDLE copy = nullptr;
    if (!::DuplicateHandle(::GetCurrentProcess(), handle, ::GetCurrentProcess(), &copy, 0, FALSE,
                           DUPLICATE_SAME_ACCESS)) {
        return UniqueHandle();
    }
    return UniqueHandle(copy);
}

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

// The registration goes under the lock; the watcher, when it was the last,
// is stopped outside it, and the object is released after that.
template <typename List, typename Matches>
HRESULT CAudioNotifier::Remove(List& list, Matches matches)
{
    typename List::value_type removed{};
    UniqueHandle thread, stop;
    DWORD threadId = 0;
    uint32_t cookie = 0;
    {
        CriticalSectionLock lock(m_lock);
        const auto it = std::find_if(list.begin(), list.end(), matches);
        if (it == list.end()) return E_INVALIDARG;
        removed = std::move(*it);
        list.erase(it);
        PublishCount();
        if (Registered() == 0) {
            thread = std::move(m_thread);
            stop = std::move(m_stop);
            threadId = m_threadId;
            cookie = m_cookie;
        }
    }
    if (thread) StopWatcher(std::move(thread), std::move(stop), threadId, cookie);
    return S_OK;
}

// The wake-up event exists before the listener slot is taken, as the
// firmware-event subscribers do: a slot whose event is gone is free.
HRESULT CAudioNotifier::StartWatcher()
{
    if (m_thread) return S_OK;
    uint32_t cookie = 0;
    {
        CMachineState::Lock machine(Machine());
        if (!machine.Held()) return E_FAIL;
        cookie = NewAudioListenerCookie(machine->audio);
    }
    UniqueHandle wake(::CreateEventW(nullptr, FALSE, FALSE,
                                     AudioListenerEventName(::GetCurrentProcessId(), cookie).c_str()));
    UniqueHandle stop(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!wake || !stop) return E_FAIL;
    auto start = std::make_unique<WatcherStart>();
    start->wake = Duplicate(wake.get());
    start->stop = Duplicate(stop.get());
    if (!start->wake || !start->stop
        || !::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                 reinterpret_cast<LPCWSTR>(&CAudioNotifier::Watch), &start->module)) {
        return E_FAIL;
    }
    {
        CMachineState::Lock machine(Machine());
        if (!machine.Held() || !AddAudioListener(machine->audio, ::GetCurrentProcessId(), cookie)) {
            ::FreeLibrary(start->module);
            ::OutputDebugStringW(L"TavrinSim: every audio listener slot is held by a running process\n");
            return E_OUTOFMEMORY;
        }
        m_seen = machine->audio.changeCount;
    }
    DWORD threadId = 0;
    WatcherStart* handed = start.get();
    UniqueHandle thread(::CreateThread(nullptr, 0, &CAudioNotifier::Watch, handed, 0, &threadId));
    if (!thread) {
        ::FreeLibrary(start->module);
        CMachineState::Lock machine(Machine());
        if (machine.Held()) RemoveAudioListener(machine->audio, ::GetCurrentProcessId(), cookie);
        return E_FAIL;
    }
    start.release(); // the thread owns it now
    m_wake = std::move(wake);
    m_stop = std::move(stop);
    m_thread = std::move(thread);
    m_threadId = threadId;
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

// A callback that unregisters the last one from inside a delivery runs on
// the watcher itself: the thread then ends after that delivery, unwaited.
void CAudioNotifier::StopWatcher(UniqueHandle thread, UniqueHandle stop, DWORD threadId, uint32_t cookie)
{
    ::SetEvent(stop.get());
    if (threadId != ::GetCurrentThreadId()) ::WaitForSingleObject(thread.get(), INFINITE);
    CMachineState::Lock machine(Machine());
    if (machine.Held()) RemoveAudioListener(machine->audio, ::GetCurrentProcessId(), cookie);
    CriticalSectionLock lock(m_lock);
    if (m_cookie == cookie) {
        m_cookie = 0;
        m_wake.reset();
    }
}

DWORD WINAPI CAudioNotifier::Watch(void* parameter)
{
    std::unique_ptr<WatcherStart> start(static_cast<WatcherStart*>(parameter));
    const HMODULE module = start->module;
    HANDLE handles[] = {start->stop.get(), start->wake.get()};
    while (::WaitForMultipleObjects(2, handles, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        if (::WaitForSingleObject(start->stop.get(), 0) == WAIT_OBJECT_0) break;
        Get().Deliver();
    }
    start.reset();
    ::FreeLibraryAndExitThread(module, 0);
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
