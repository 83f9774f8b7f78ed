#pragma once
// Hand-made Core Audio doubles: an enumerator with a default render device
// whose endpoint volume keeps a level and a mute state, records every change
// asked of it, and tells its registered callbacks about changes on a thread
// of their own, as Windows does (the change's context included).
#include <windows.h>

#include <atomic>
#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <mutex>
#include <thread>
#include <vector>
#include <wrl/client.h>

namespace fake_audio {

// Doubles alive in this process, so a test can see all were let go.
inline std::atomic<int> g_live{0};

template <typename Interface>
class FakeUnknown : public Interface {
public:
    FakeUnknown() { ++g_live; }
    virtual ~FakeUnknown() { --g_live; }
    FakeUnknown(const FakeUnknown&) = delete;
    FakeUnknown& operator=(const FakeUnknown&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        if (IsEqualGUID(iid, __uuidof(IUnknown)) || IsEqualGUID(iid, __uuidof(Interface))) {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG refs = ::InterlockedDecrement(&m_refs);
        if (refs == 0) delete this;
        return static_cast<ULONG>(refs);
    }

private:
    LONG m_refs = 1;
};

// Owns the one reference a new double starts with.
template <typename T>
Microsoft::WRL::ComPtr<T> Adopt(T* created)
{
    Microsoft::WRL::ComPtr<T> owner;
    *owner.GetAddressOf() = created;
    return owner;
}

// Runs f on a thread of its own and waits for it.
template <typename F>
void OnOtherThread(F f)
{
    std::thread(f).join();
}

struct VolumeCall {
    enum Kind { Scalar, Mute } kind;
    float scalar;
    BOOL mute;
    GUID context;
};

class FakeEndpointVolume : public FakeUnknown<IAudioEndpointVolume> {
public:
    FakeEndpointVolume(float scalar, BOOL muted) : m_scalar(scalar), m_muted(muted) {}

    // Another program or Windows changed the endpoint.
    void Raise(const GUID& context, float scalar, BOOL muted)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_scalar = scalar;
            m_muted = muted;
        }
        Tell(context);
    }
    // A notification as given, whatever the endpoint holds.
    void RaiseRaw(AUDIO_VOLUME_NOTIFICATION_DATA* data)
    {
        for (auto& callback : Callbacks()) OnOtherThread([&] { callback->OnNotify(data); });
    }

    std::vector<VolumeCall> Calls()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls;
    }
    void ClearCalls()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_calls.clear();
    }
    size_t Registered()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_callbacks.size();
    }
    IAudioEndpointVolumeCallback* RegisteredCallback()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_callbacks.empty() ? nullptr : m_callbacks[0].Get();
    }
    float Scalar()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_scalar;
    }
    BOOL Muted()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_muted;
    }

    UINT step = 0;
    UINT stepCount = 0;
    HRESULT stepInfoResult = S_OK;
    HRESULT registerResult = S_OK;

    HRESULT STDMETHODCALLTYPE RegisterControlChangeNotify(IAudioEndpointVolumeCallback* notify) override
    {
        if (!notify) return E_POINTER;
        if (FAILED(registerResult)) return registerResult;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_callbacks.emplace_back(notify);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE UnregisterControlChangeNotify(IAudioEndpointVolumeCallback* notify) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (auto it = m_callbacks.begin(); it != m_callbacks.end(); ++it) {
            if (it->Get() == notify) {
                m_callbacks.erase(it);
                return S_OK;
            }
        }
        return E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevelScalar(FLOAT level, LPCGUID context) override
    {
        if (level < 0.0f || level > 1.0f) return E_INVALIDARG;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_calls.push_back({VolumeCall::Scalar, level, FALSE, context ? *context : GUID_NULL});
            m_scalar = level;
        }
        Tell(context ? *context : GUID_NULL);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevelScalar(FLOAT* level) override
    {
        if (!level) return E_POINTER;
        std::lock_guard<std::mutex> lock(m_mutex);
        *level = m_scalar;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetMute(WINBOOL mute, LPCGUID context) override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_calls.push_back({VolumeCall::Mute, 0.0f, mute, context ? *context : GUID_NULL});
            m_muted = mute;
        }
        Tell(context ? *context : GUID_NULL);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetMute(WINBOOL* mute) override
    {
        if (!mute) return E_POINTER;
        std::lock_guard<std::mutex> lock(m_mutex);
        *mute = m_muted;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetVolumeStepInfo(UINT* current, UINT* count) override
    {
        if (!current || !count) return E_POINTER;
        *current = step;
        *count = stepCount;
        return stepInfoResult;
    }

    HRESULT STDMETHODCALLTYPE GetChannelCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevel(FLOAT, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevel(FLOAT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevel(UINT, FLOAT, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevelScalar(UINT, FLOAT, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevel(UINT, FLOAT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevelScalar(UINT, FLOAT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE VolumeStepUp(LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE VolumeStepDown(LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryHardwareSupport(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetVolumeRange(FLOAT*, FLOAT*, FLOAT*) override { return E_NOTIMPL; }

private:
    std::vector<Microsoft::WRL::ComPtr<IAudioEndpointVolumeCallback>> Callbacks()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_callbacks;
    }
    // Every registered callback hears of the change on another thread; the
    // caller waits, so a callback that holds a lock the change's maker
    // holds shows up as a hang.
    void Tell(const GUID& context)
    {
        AUDIO_VOLUME_NOTIFICATION_DATA data{};
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            data.guidEventContext = context;
            data.bMuted = m_muted;
            data.fMasterVolume = m_scalar;
            data.nChannels = 1;
            data.afChannelVolumes[0] = m_scalar;
        }
        RaiseRaw(&data);
    }

    std::mutex m_mutex;
    float m_scalar;
    BOOL m_muted;
    std::vector<VolumeCall> m_calls;
    std::vector<Microsoft::WRL::ComPtr<IAudioEndpointVolumeCallback>> m_callbacks;
};

class FakeDevice : public FakeUnknown<IMMDevice> {
public:
    explicit FakeDevice(Microsoft::WRL::ComPtr<FakeEndpointVolume> endpoint) : m_endpoint(std::move(endpoint))
    {}

    FakeEndpointVolume* Endpoint() const { return m_endpoint.Get(); }
    IID activatedIid{};
    DWORD activatedContext = 0;

    HRESULT STDMETHODCALLTYPE Activate(REFIID iid, DWORD context, PROPVARIANT*, void** out) override
    {
        if (!out) return E_POINTER;
        *out = nullptr;
        activatedIid = iid;
        activatedContext = context;
        if (!m_endpoint) return E_NOINTERFACE;
        return m_endpoint->QueryInterface(iid, out);
    }
    HRESULT STDMETHODCALLTYPE OpenPropertyStore(DWORD, IPropertyStore**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetId(LPWSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetState(DWORD* state) override
    {
        if (!state) return E_POINTER;
        *state = DEVICE_STATE_ACTIVE;
        return S_OK;
    }

private:
    Microsoft::WRL::ComPtr<FakeEndpointVolume> m_endpoint;
};

class FakeEnumerator : public FakeUnknown<IMMDeviceEnumerator> {
public:
    void SetDefault(Microsoft::WRL::ComPtr<FakeDevice> device)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_default = std::move(device);
    }
    // Windows made another device the default for this flow and role.
    void RaiseDefaultChanged(EDataFlow flow, ERole role)
    {
        Microsoft::WRL::ComPtr<IMMNotificationClient> client;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            client = m_client;
        }
        if (client)
            OnOtherThread([&] { client->OnDefaultDeviceChanged(flow, role, L"{0.0.0.00000000}.{fake}"); });
    }
    IMMNotificationClient* Client()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_client.Get();
    }

    HRESULT registerResult = S_OK;
    int defaultRequests = 0;
    EDataFlow askedFlow = eAll;
    ERole askedRole = ERole_enum_count;

    HRESULT STDMETHODCALLTYPE GetDefaultAudioEndpoint(EDataFlow flow, ERole role, IMMDevice** out) override
    {
        if (!out) return E_POINTER;
        *out = nullptr;
        ++defaultRequests;
        askedFlow = flow;
        askedRole = role;
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_default) return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
        return m_default->QueryInterface(__uuidof(IMMDevice), reinterpret_cast<void**>(out));
    }
    HRESULT STDMETHODCALLTYPE RegisterEndpointNotificationCallback(IMMNotificationClient* client) override
    {
        if (!client) return E_POINTER;
        if (FAILED(registerResult)) return registerResult;
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_client) return E_UNEXPECTED;
        m_client = client;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE UnregisterEndpointNotificationCallback(IMMNotificationClient* client) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_client || m_client.Get() != client) return E_INVALIDARG;
        m_client.Reset();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumAudioEndpoints(EDataFlow, DWORD, IMMDeviceCollection**) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetDevice(LPCWSTR, IMMDevice**) override { return E_NOTIMPL; }

private:
    std::mutex m_mutex;
    Microsoft::WRL::ComPtr<FakeDevice> m_default;
    Microsoft::WRL::ComPtr<IMMNotificationClient> m_client;
};

} // namespace fake_audio
