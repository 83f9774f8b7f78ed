#pragma once
#include <windows.h>

#include <mmdeviceapi.h>
#include <wrl/client.h>

#include "ComObject.h"

namespace sim {

// The simulated machine's audio device enumerator: its render endpoints,
// the default one for every role, and the clients told when the default
// changes. There is no capture endpoint.
class CAudioEnumerator final : public IMMDeviceEnumerator, public CComObject {
public:
    static Microsoft::WRL::ComPtr<CAudioEnumerator> Create();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    HRESULT STDMETHODCALLTYPE EnumAudioEndpoints(EDataFlow, DWORD, IMMDeviceCollection** devices) override;
    HRESULT STDMETHODCALLTYPE GetDefaultAudioEndpoint(EDataFlow flow, ERole role,
                                                      IMMDevice** device) override;
    HRESULT STDMETHODCALLTYPE GetDevice(LPCWSTR id, IMMDevice** device) override;
    HRESULT STDMETHODCALLTYPE RegisterEndpointNotificationCallback(IMMNotificationClient* client) override;
    HRESULT STDMETHODCALLTYPE UnregisterEndpointNotificationCallback(IMMNotificationClient* client) override;

private:
    CAudioEnumerator() = default;
};

} // namespace sim
