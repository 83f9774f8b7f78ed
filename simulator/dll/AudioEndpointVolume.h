#pragma once
#include <windows.h>

#include <endpointvolume.h>
#include <wrl/client.h>

#include <cstdint>

#include "ComObject.h"

namespace sim {

// The master volume and mute of one simulated render endpoint. Every change
// goes into the machine block, so every process sees it and every
// registered callback of the endpoint, in any process, is told.
class CAudioEndpointVolume final : public IAudioEndpointVolume, public CComObject {
public:
    static Microsoft::WRL::ComPtr<CAudioEndpointVolume> Create(uint32_t endpoint);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    HRESULT STDMETHODCALLTYPE RegisterControlChangeNotify(IAudioEndpointVolumeCallback* notify) override;
    HRESULT STDMETHODCALLTYPE UnregisterControlChangeNotify(IAudioEndpointVolumeCallback* notify) override;
    HRESULT STDMETHODCALLTYPE GetChannelCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevel(float, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevelScalar(float level, LPCGUID context) override;
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevel(float*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevelScalar(float* level) override;
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevel(UINT, float, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevelScalar(UINT, float, LPCGUID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevel(UINT, float*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevelScalar(UINT channel, float* level) override;
    HRESULT STDMETHODCALLTYPE SetMute(BOOL mute, LPCGUID context) override;
    HRESULT STDMETHODCALLTYPE GetMute(BOOL* mute) override;
    HRESULT STDMETHODCALLTYPE GetVolumeStepInfo(UINT* step, UINT* stepCount) override;
    HRESULT STDMETHODCALLTYPE VolumeStepUp(LPCGUID context) override;
    HRESULT STDMETHODCALLTYPE VolumeStepDown(LPCGUID context) override;
    HRESULT STDMETHODCALLTYPE QueryHardwareSupport(DWORD* mask) override;
    HRESULT STDMETHODCALLTYPE GetVolumeRange(float*, float*, float*) override { return E_NOTIMPL; }

private:
    explicit CAudioEndpointVolume(uint32_t endpoint) : m_endpoint(endpoint) {}

    const uint32_t m_endpoint;
};

} // namespace sim
