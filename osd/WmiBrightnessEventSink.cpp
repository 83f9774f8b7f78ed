#include "WmiBrightnessEventSink.h"

#include "ComValues.h"
#include "CriticalSection.h"
#include "MessageCatalogue.h"

namespace {

constexpr wchar_t kEventClass[] = L"WmiMonitorBrightnessEvent";
constexpr ULONGLONG kMaxPercent = 100;

// Serialises indications in the process; lives as long as the process, so
// no subscription can outlive it.
CriticalSection& BrightnessEventLock()
{
    static CriticalSection lock;
    return lock;
}

bool ReadString(IWbemClassObject* object, const wchar_t* name, Variant& value)
{
    return SUCCEEDED(object->Get(name, 0, value.put(), nullptr, nullptr)) && value.type() == VT_BSTR
           && (*value).bstrVal != nullptr;
}

// The brightness as WMI types a uint8 (VT_UI1) or a 64-bit value (VT_UI8).
bool ReadBrightness(IWbemClassObject* object, ULONGLONG& percent)
{
    Variant value;
    if (FAILED(object->Get(L"Brightness", 0, value.put(), nullptr, nullptr))) return false;
    if (value.type() == VT_UI1) {
        percent = (*value).bVal;
    } else if (value.type() == VT_UI8) {
        percent = (*value).ullVal;
    } else {
        return false;
    }
    return percent <= kMaxPercent;
}

} // namespace

CWmiBrightnessEventSink::CWmiBrightnessEventSink(HWND window)
    : m_window(window), m_message(messages::Register(messages::kBrightnessChange))
{}

void CWmiBrightnessEventSink::Detach()
{
    CriticalSectionLock lock(BrightnessEventLock());
    m_window = nullptr;
}

STDMETHODIMP CWmiBrightnessEventSink::QueryInterface(REFIID riid, void** object)
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

STDMETHODIMP_(ULONG) CWmiBrightnessEventSink::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_refCount));
}

STDMETHODIMP_(ULONG) CWmiBrightnessEventSink::Release()
{
    const LONG count = ::InterlockedDecrement(&m_refCount);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
}

STDMETHODIMP CWmiBrightnessEventSink::Indicate(LONG objectCount, IWbemClassObject** objects)
{
    if (objectCount > 0 && objects == nullptr) return WBEM_E_INVALID_PARAMETER;
    CriticalSectionLock lock(BrightnessEventLock());
    HRESULT result = WBEM_S_NO_ERROR;
    for (LONG i = 0; i < objectCount; ++i) {
        if (FAILED(Deliver(objects[i]))) result = WBEM_E_FAILED;
    }
    return result;
}

HRESULT CWmiBrightnessEventSink::Deliver(IWbemClassObject* object)
{
    if (object == nullptr) return WBEM_E_FAILED;
    // Nothing may escape into WMI: a failure while reading skips the object.
    try {
        Variant instance, className;
        ReadString(object, L"InstanceName", instance); // names the monitor; one monitor is followed
        if (!ReadString(object, L"__Class", className)
            || ::lstrcmpW((*className).bstrVal, kEventClass) != 0) {
            return WBEM_E_FAILED;
        }
        if (m_window == nullptr) return WBEM_S_NO_ERROR;
        ULONGLONG percent = 0;
        if (!ReadBrightness(object, percent)) return WBEM_E_FAILED;
        if (m_message != 0) ::PostMessageW(m_window, m_message, percent, 0);
    } catch (...) {
        return WBEM_E_FAILED;
    }
    return WBEM_S_NO_ERROR;
}

STDMETHODIMP CWmiBrightnessEventSink::SetStatus(LONG, HRESULT, BSTR, IWbemClassObject*)
{
    return WBEM_S_NO_ERROR;
}
