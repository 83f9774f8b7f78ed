#include "BiosEventSink.h"

#include "BiosEventParser.h"
#include "BiosEventTarget.h"
#include "ComValues.h"
#include "CriticalSection.h"

#include <wrl/client.h>

#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

// Serialises event processing in the process, including deliveries nested
// inside a target that pumps messages. Lives as long as the process, so no
// subscription can outlive it.
CriticalSection& BiosEventLock()
{
    static CriticalSection lock;
    return lock;
}

bool IsBiosEventClass(IWbemClassObject* object)
{
    Variant className;
    if (FAILED(object->Get(L"__Class", 0, className.put(), nullptr, nullptr))) return false;
    const VARIANT& v = *className;
    return v.vt == VT_BSTR && v.bstrVal != nullptr && ::lstrcmpW(v.bstrVal, L"BIOSEvent") == 0;
}

bool ReadEmbeddedBytes(IUnknown* embedded, std::vector<uint8_t>& bytes)
{
    ComPtr<IWbemClassObject> object;
    if (embedded == nullptr || FAILED(embedded->QueryInterface(IID_PPV_ARGS(&object)))) {
        return false;
    }
    Variant data;
    if (FAILED(object->Get(L"Bytes", 0, data.put(), nullptr, nullptr))) return false;
    return CopyBytes(*data, bytes, kBiosEventRecordBytes);
}

// Data is either an embedded object with a Bytes array, or the array itself.
bool ReadEventBytes(IWbemClassObject* object, std::vector<uint8_t>& bytes)
{
    Variant data;
    if (FAILED(object->Get(L"Data", 0, data.put(), nullptr, nullptr))) return false;
    const VARIANT& v = *data;
    if (v.vt == VT_UNKNOWN) return ReadEmbeddedBytes(v.punkVal, bytes);
    return CopyBytes(v, bytes, kBiosEventRecordBytes);
}

} // namespace

CBiosEventSink::CBiosEventSink(IBiosEventTarget* target) : m_target(target) {}

void CBiosEventSink::Detach()
{
    CriticalSectionLock lock(BiosEventLock());
    m_target = nullptr;
}

STDMETHODIMP CBiosEventSink::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IWbemObjectSink) {
        *object = static_cast<IWbemObjectSink*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CBiosEventSink::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_refCount));
}

STDMETHODIMP_(ULONG) CBiosEventSink::Release()
{
    const LONG count = ::InterlockedDecrement(&m_refCount);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
}

STDMETHODIMP CBiosEventSink::Indicate(LONG objectCount, IWbemClassObject** objects)
{
    if (objectCount > 0 && objects == nullptr) return WBEM_E_INVALID_PARAMETER;
    CriticalSectionLock lock(BiosEventLock());
    HRESULT result = WBEM_S_NO_ERROR;
    for (LONG i = 0; i < objectCount; ++i) {
        if (FAILED(Deliver(objects[i]))) result = WBEM_E_FAILED;
    }
    return result;
}

HRESULT CBiosEventSink::Deliver(IWbemClassObject* object)
{
    if (object == nullptr) return WBEM_E_FAILED;
    if (!IsBiosEventClass(object)) return WBEM_S_NO_ERROR;
    // Nothing may escape into WMI: a failure while handling skips the event.
    try {
        std::vector<uint8_t> bytes;
        if (!ReadEventBytes(object, bytes)) return WBEM_E_FAILED;
        for (const BiosEventCode& event : ParseBiosEvent(bytes)) {
            if (m_target == nullptr) break;
            m_target->OnBiosEvent(event.code, event.arg1, event.arg2, event.arg3, event.arg4);
        }
    } catch (...) {
        return WBEM_E_FAILED;
    }
    return WBEM_S_NO_ERROR;
}

STDMETHODIMP CBiosEventSink::SetStatus(LONG, HRESULT, BSTR, IWbemClassObject*)
{
    return WBEM_S_NO_ERROR;
}
