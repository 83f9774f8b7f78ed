#pragma once
#include <windows.h>

#include <mmdeviceapi.h>
#include <wrl/client.h>

#include <cstdint>

#include <string>

#include "ComObject.h"

namespace sim {

// One simulated render endpoint, named by its id; Activate hands out its
// endpoint volume. An endpoint the machine no longer has answers as the
// system does for a removed device.
class CAudioDevice final : public IMMDevice, public CComObject {
public:
    static Microsoft::WRL::ComPtr<CAudioDevice> Create(uint32_t endpoint, const std::wstring& id);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    HRESULT STDMETHODCALLTYPE Activate(REFIID iid, DWORD context, PROPVARIANT* parameters,
                                       void** object) override;
    HRESULT STDMETHODCALLTYPE OpenPropertyStore(DWORD, IPropertyStore** store) override;
    HRESULT STDMETHODCALLTYPE GetId(LPWSTR* id) override;
    HRESULT STDMETHODCALLTYPE GetState(DWORD* state) override;

private:
    CAudioDevice(uint32_t endpoint, std::wstring id) : m_endpoint(endpoint), m_id(std::move(id)) {}
    bool Present() const;

    const uint32_t m_endpoint;
    const std::wstring m_id;
};

} // namespace sim
