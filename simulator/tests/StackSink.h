#pragma once
#include <windows.h>
#include <wbemidl.h>

// An event sink that lives on its test's stack: its references are counted,
// so a test can see that a subscription let go of it, but never free it.
// A sink implements Indicate; SetStatus is accepted and ignored unless it
// cares about the completion.
class CStackSink : public IWbemObjectSink {
public:
    CStackSink() = default;
    CStackSink(const CStackSink&) = delete;
    CStackSink& operator=(const CStackSink&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (riid != IID_IUnknown && riid != IID_IWbemObjectSink) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IWbemObjectSink*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(::InterlockedDecrement(&m_refs)); }
    HRESULT STDMETHODCALLTYPE SetStatus(LONG, HRESULT, BSTR, IWbemClassObject*) override
    {
        return WBEM_S_NO_ERROR;
    }

    // 1 when nobody but the test holds it.
    ULONG References() const { return static_cast<ULONG>(m_refs); }

private:
    LONG m_refs = 1;
};
