#pragma once
#include <windows.h>
#include <objidl.h>

namespace sim {

// Reference count and free-threaded marshaling shared by the simulated WMI
// objects. Aggregating the free-threaded marshaler lets the Global Interface
// Table hand the same pointer to every apartment of the process, as the
// objects are safe to call from any thread.
class CComObject {
public:
    CComObject(const CComObject&) = delete;
    CComObject& operator=(const CComObject&) = delete;

protected:
    CComObject() = default;
    virtual ~CComObject();

    ULONG AddRefImpl() { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }
    ULONG ReleaseImpl();
    // IMarshal through the aggregated marshaler; `outer` is the object's IUnknown.
    HRESULT QueryMarshaler(IUnknown* outer, void** object);

private:
    LONG refs_ = 1;
    IUnknown* marshaler_ = nullptr;
};

// Proxy security on objects that are not proxies: accepted and ignored, as
// the callers set a blanket on every connection they use.
class CBlanketAcceptor : public IClientSecurity {
public:
    HRESULT STDMETHODCALLTYPE QueryBlanket(IUnknown*, DWORD* authn, DWORD* authz, OLECHAR** principal,
                                           DWORD* level, DWORD* impersonation, void** identity,
                                           DWORD* capabilities) override;
    HRESULT STDMETHODCALLTYPE SetBlanket(IUnknown*, DWORD, DWORD, OLECHAR*, DWORD, DWORD, void*, DWORD) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CopyProxy(IUnknown* proxy, IUnknown** copy) override;
};

} // namespace sim
