#include "AudioEndpointVolume.h"

#include <new>

#include "AudioModel.h"
#include "AudioNotifier.h"
#include "Machine.h"

using Microsoft::WRL::ComPtr;

namespace sim {
namespace {

// The system's answer for an endpoint that has gone away.
constexpr HRESULT kDeviceInvalidated = static_cast<HRESULT>(0x88890004); // AUDCLNT_E_DEVICE_INVALIDATED
constexpr DWORD kHardwareVolumeAndMute = 0x3; // ENDPOINT_HARDWARE_SUPPORT_VOLUME | _MUTE

const GUID& ContextOf(LPCGUID context)
{
    return context ? *context : kNoContext;
}

// A change under the machine lock; every listening process is woken when it
// changed something.
template <typename Change>
HRESULT Apply(Change change)
{
    CMachineState::Lock machine(Machine());
    if (!machine.Held()) return E_FAIL;
    HRESULT hr = change(machine->audio);
    if (hr == S_OK) WakeAudioListeners(machine->audio);
    return hr == E_INVALIDARG ? kDeviceInvalidated : hr;
}

// A read of the endpoint under the machine lock.
template <typename Read>
HRESULT Inspect(uint32_t index, Read read)
{
    CMachineState::Lock machine(Machine());
    if (!machine.Held()) return E_FAIL;
    const SimAudioEndpoint* endpoint = Endpoint(machine->audio, index);
    if (!endpoint) return kDeviceInvalidated;
    read(*endpoint);
    return S_OK;
}

} // namespace

ComPtr<CAudioEndpointVolume> CAudioEndpointVolume::Create(uint32_t endpoint)
{
    return Adopt(new (std::nothrow) CAudioEndpointVolume(endpoint));
}

HRESULT CAudioEndpointVolume::QueryInterface(REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown || riid == __uuidof(IAudioEndpointVolume)) {
        *object = static_cast<IAudioEndpointVolume*>(this);
    } else if (riid == IID_IMarshal) {
        return QueryMarshaler(static_cast<IAudioEndpointVolume*>(this), object);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT CAudioEndpointVolume::RegisterControlChangeNotify(IAudioEndpointVolumeCallback* notify)
{
    return CAudioNotifier::Get().AddVolumeCallback(m_endpoint, notify);
}

HRESULT CAudioEndpointVolume::UnregisterControlChangeNotify(IAudioEndpointVolumeCallback* notify)
{
    return CAudioNotifier::Get().RemoveVolumeCallback(m_endpoint, notify);
}

HRESULT CAudioEndpointVolume::GetChannelCount(UINT* count)
{
    if (!count) return E_POINTER;
    return Inspect(m_endpoint, [&](const SimAudioEndpoint& e) { *count = e.channels; });
}

HRESULT CAudioEndpointVolume::SetMasterVolumeLevelScalar(float level, LPCGUID context)
{
    if (!(level >= 0.0f && level <= 1.0f)) return E_INVALIDARG;
    const GUID changer = ContextOf(context);
    HRESULT hr = Apply([&](SimAudio& audio) { return sim::SetVolume(audio, m_endpoint, level, changer); });
    return SUCCEEDED(hr) ? S_OK : hr;
}

HRESULT CAudioEndpointVolume::GetMasterVolumeLevelScalar(float* level)
{
    if (!level) return E_POINTER;
    return Inspect(m_endpoint, [&](const SimAudioEndpoint& e) { *level = e.scalar; });
}

HRESULT CAudioEndpointVolume::GetChannelVolumeLevelScalar(UINT channel, float* level)
{
    if (!level) return E_POINTER;
    UINT channels = 0;
    float scalar = 0.0f;
    HRESULT hr = Inspect(m_endpoint, [&](const SimAudioEndpoint& e) {
        channels = e.channels;
        scalar = e.scalar;
    });
    if (FAILED(hr)) return hr;
    if (channel >= channels) return E_INVALIDARG;
    *level = scalar;
    return S_OK;
}

// S_FALSE when the endpoint already was in that state, as the system answers.
HRESULT CAudioEndpointVolume::SetMute(BOOL mute, LPCGUID context)
{
    const GUID changer = ContextOf(context);
    return Apply([&](SimAudio& audio) { return sim::SetMute(audio, m_endpoint, mute != FALSE, changer); });
}

HRESULT CAudioEndpointVolume::GetMute(BOOL* mute)
{
    if (!mute) return E_POINTER;
    return Inspect(m_endpoint, [&](const SimAudioEndpoint& e) { *mute = e.muted ? TRUE : FALSE; });
}

HRESULT CAudioEndpointVolume::GetVolumeStepInfo(UINT* step, UINT* stepCount)
{
    if (!step || !stepCount) return E_POINTER;
    return Inspect(m_endpoint, [&](const SimAudioEndpoint& e) {
        *step = StepOf(e);
        *stepCount = e.stepCount;
    });
}

HRESULT CAudioEndpointVolume::VolumeStepUp(LPCGUID context)
{
    const GUID changer = ContextOf(context);
    HRESULT hr = Apply([&](SimAudio& audio) { return StepVolume(audio, m_endpoint, 1, changer); });
    return SUCCEEDED(hr) ? S_OK : hr;
}

HRESULT CAudioEndpointVolume::VolumeStepDown(LPCGUID context)
{
    const GUID changer = ContextOf(context);
    HRESULT hr = Apply([&](SimAudio& audio) { return StepVolume(audio, m_endpoint, -1, changer); });
    return SUCCEEDED(hr) ? S_OK : hr;
}

HRESULT CAudioEndpointVolume::QueryHardwareSupport(DWORD* mask)
{
    if (!mask) return E_POINTER;
    *mask = kHardwareVolumeAndMute;
    return S_OK;
}

} // namespace sim
