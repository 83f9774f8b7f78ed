#include "BiosEventSink.h"

#include "BiosEventParser.h"
#include "BiosEventTarget.h"
#include "CriticalSection.h"

#include <oleauto.h>
#include <wrl/client.h>

#include <algorithm>
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

class ScopedVariant {
public:
    ScopedVariant() { ::VariantInit(&v_); }
    ~ScopedVariant() { ::VariantClear(&v_); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
    VARIANT* out() { return &v_; }
    const VARIANT& get() const { return v_; }

private:
    VARIANT v_;
};

bool IsBiosEventClass(IWbemClassObject* object)
{
    ScopedVariant className;
    if (FAILED(object->Get(L"__Class", 0, className.out(), nullptr, nullptr))) return false;
    const VARIANT& v = className.get();
    return v.vt == VT_BSTR && v.bstrVal != nullptr && ::lstrcmpW(v.bstrVal, L"BIOSEvent") == 0;
}

// The leading bytes (at most one record) of a one-dimensional byte array.
bool CopyByteArray(const VARIANT& v, std::vector<uint8_t>& bytes)
{
    if (v.vt != (VT_ARRAY | VT_UI1) || v.parray == nullptr) return false;
    SAFEARRAY* array = v.parray;
    LONG lower = 0;
    LONG upper = -1;
    if (::SafeArrayGetDim(array) != 1 || ::SafeArrayGetElemsize(array) != 1 ||
        FAILED(::SafeArrayGetLBound(array, 1, &lower)) ||
        FAILED(::SafeArrayGetUBound(array, 1, &upper))) {
        return false;
    }
    const LONGLONG count = static_cast<LONGLONG>(upper) - lower + 1;
    const auto used = static_cast<std::size_t>(
        std::clamp<LONGLONG>(count, 0, static_cast<LONGLONG>(kBiosEventRecordBytes)));
    void* data = nullptr;
    if (FAILED(::SafeArrayAccessData(array, &data))) return false;
    const auto* first = static_cast<const uint8_t*>(data);
    bytes.assign(first, first + used);
    ::SafeArrayUnaccessData(array);
    return true;
}

bool ReadEmbeddedBytes(IUnknown* embedded, std::vector<uint8_t>& bytes)
{
    ComPtr<IWbemClassObject> object;
    if (embedded == nullptr || FAILED(embedded->QueryInterface(IID_PPV_ARGS(&object)))) {
        return false;
    }
    ScopedVariant data;
    if (FAILED(object->Get(L"Bytes", 0, data.out(), nullptr, nullptr))) return false;
    return CopyByteArray(data.get(), bytes);
}

// Data is either an embedded object with a Bytes array, or the array itself.
bool ReadEventBytes(IWbemClassObject* object, std::vector<uint8_t>& bytes)
{
    ScopedVariant data;
    if (FAILED(object->Get(L"Data", 0, data.out(), nullptr, nullptr))) return false;
    const VARIANT& v = data.get();
    if (v.vt == VT_UNKNOWN) return ReadEmbeddedBytes(v.punkVal, bytes);
    return CopyByteArray(v, bytes);
}

} // namespace

CBiosEventSink::CBiosEventSink(IBiosEventTarget* target) : target_(target) {}

void CBiosEventSink::Detach()
{
    CriticalSectionLock lock(BiosEventLock());
    target_ = nullptr;
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
    return static_cast<ULONG>(::InterlockedIncrement(&refCount_));
}

STDMETHODIMP_(ULONG) CBiosEventSink::Release()
{
    const LONG count = ::InterlockedDecrement(&refCount_);
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
            if (target_ == nullptr) break;
            target_->OnBiosEvent(event.code, event.arg1, event.arg2, event.arg3, event.arg4);
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
