#pragma once
#include <windows.h>

#include <wbemidl.h>

class IBiosEventTarget;

// The COM object WMI calls with delivered firmware events. Each BIOSEvent
// object's data is parsed and every code goes to the target. Processing is
// serialised process-wide, and the target can be detached while WMI still
// holds a reference to the sink.
class CBiosEventSink : public IWbemObjectSink {
public:
    explicit CBiosEventSink(IBiosEventTarget* target);
    virtual ~CBiosEventSink() = default;
    CBiosEventSink(const CBiosEventSink&) = delete;
    CBiosEventSink& operator=(const CBiosEventSink&) = delete;

    // No further events reach the target once this returns.
    void Detach();

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // WBEM_S_NO_ERROR, or WBEM_E_FAILED when a BIOSEvent object's data could
    // not be read (that object is skipped; the others are still delivered).
    STDMETHODIMP Indicate(LONG objectCount, IWbemClassObject** objects) override;
    STDMETHODIMP SetStatus(LONG flags, HRESULT result, BSTR param, IWbemClassObject* object) override;

private:
    HRESULT Deliver(IWbemClassObject* object);

    LONG m_refCount = 0;
    IBiosEventTarget* m_target = nullptr;
};
