#include "AudioDevice.h"

#include <endpointvolume.h>

#include <cstring>
#include <cwchar>
#include <new>

#include "AudioEndpointVolume.h"
#include "AudioModel.h"
#include "Machine.h"

using Microsoft::WRL::ComPtr;

namespace sim {

ComPtr<CAudioDevice> CAudioDevice::Create(uint32_t endpoint, const std::wstring& id)
{
    return Adopt(new (std::nothrow) CAudioDevice(endpoint, id));
}

HRESULT CAudioDevice::QueryInterface(REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown || riid == __uuidof(IMMDevice)) {
        *object = static_cast<IMMDevice*>(this);
    } else if (riid == IID_IMarshal) {
        return QueryMarshaler(static_cast<IMMDevice*>(this), object);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

// The endpoint is still the one this object was made for.
bool CAudioDevice::Present() const
{
    CMachineState::Lock machine(Machine());
    if (!machine.Held()) return false;
    return EndpointById(machine->audio, m_id.c_str()) == static_cast<int>(m_endpoint);
}

HRESULT CAudioDevice::Activate(REFIID iid, DWORD, PROPVARIANT*, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != __uuidof(IAudioEndpointVolume)) return E_NOINTERFACE;
    if (!Present()) return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
    ComPtr<CAudioEndpointVolume> volume = CAudioEndpointVolume::Create(m_endpoint);
    if (!volume) return E_OUTOFMEMORY;
    *object = static_cast<IAudioEndpointVolume*>(volume.Detach());
    return S_OK;
}

HRESULT CAudioDevice::OpenPropertyStore(DWORD, IPropertyStore** store)
{
    if (store) *store = nullptr;
    return E_NOTIMPL;
}

HRESULT CAudioDevice::GetId(LPWSTR* id)
{
    if (!id) return E_POINTER;
    const size_t bytes = (m_id.size() + 1) * sizeof(wchar_t);
    *id = static_cast<LPWSTR>(::CoTaskMemAlloc(bytes));
    if (!*id) return E_OUTOFMEMORY;
    std::memcpy(*id, m_id.c_str(), bytes);
    return S_OK;
}

HRESULT CAudioDevice::GetState(DWORD* state)
{
    if (!state) return E_POINTER;
    *state = Present() ? DEVICE_STATE_ACTIVE : DEVICE_STATE_NOTPRESENT;
    return S_OK;
}

} // namespace sim
