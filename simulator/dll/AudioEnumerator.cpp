#include "AudioEnumerator.h"

#include <new>
#include <string>

#include "AudioDevice.h"
#include "AudioModel.h"
#include "AudioNotifier.h"
#include "Machine.h"

using Microsoft::WRL::ComPtr;

namespace sim {
namespace {

const HRESULT kNotFound = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);

HRESULT HandOut(int index, const std::wstring& id, IMMDevice** device)
{
    if (index < 0) return kNotFound;
    ComPtr<CAudioDevice> made = CAudioDevice::Create(static_cast<uint32_t>(index), id);
    if (!made) return E_OUTOFMEMORY;
    *device = made.Detach();
    return S_OK;
}

} // namespace

ComPtr<CAudioEnumerator> CAudioEnumerator::Create()
{
    return Adopt(new (std::nothrow) CAudioEnumerator());
}

HRESULT CAudioEnumerator::QueryInterface(REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown || riid == __uuidof(IMMDeviceEnumerator)) {
        *object = static_cast<IMMDeviceEnumerator*>(this);
    } else if (riid == IID_IMarshal) {
        return QueryMarshaler(static_cast<IMMDeviceEnumerator*>(this), object);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT CAudioEnumerator::EnumAudioEndpoints(EDataFlow, DWORD, IMMDeviceCollection** devices)
{
    if (devices) *devices = nullptr;
    return E_NOTIMPL;
}

HRESULT CAudioEnumerator::GetDefaultAudioEndpoint(EDataFlow flow, ERole role, IMMDevice** device)
{
    if (!device) return E_POINTER;
    *device = nullptr;
    if (role != eConsole && role != eMultimedia && role != eCommunications) return E_INVALIDARG;
    if (flow == eCapture) return kNotFound;
    if (flow != eRender) return E_INVALIDARG;
    int index = -1;
    std::wstring id;
    {
        CMachineState::Lock machine(Machine());
        if (!machine.Held()) return E_FAIL;
        if (const SimAudioEndpoint* e = Endpoint(machine->audio, machine->audio.defaultEndpoint)) {
            index = static_cast<int>(machine->audio.defaultEndpoint);
            id.assign(e->id, wcsnlen(e->id, kEndpointTextLength));
        }
    }
    return HandOut(index, id, device);
}

HRESULT CAudioEnumerator::GetDevice(LPCWSTR id, IMMDevice** device)
{
    if (!device || !id) return E_POINTER;
    *device = nullptr;
    int index = -1;
    {
        CMachineState::Lock machine(Machine());
        if (!machine.Held()) return E_FAIL;
        index = EndpointById(machine->audio, id);
    }
    return HandOut(index, id, device);
}

HRESULT CAudioEnumerator::RegisterEndpointNotificationCallback(IMMNotificationClient* client)
{
    return CAudioNotifier::Get().AddClient(client);
}

HRESULT CAudioEnumerator::UnregisterEndpointNotificationCallback(IMMNotificationClient* client)
{
    return CAudioNotifier::Get().RemoveClient(client);
}

} // namespace sim
