#pragma once
#include <windows.h>
#include <objidl.h>

namespace sim {

// Proxy security on objects that are not proxies: accepted and ignored, as
// the callers set a blanket on every connection they use.
class CBlanketAcceptor : public IClientSecurity {
public:
    HRESULT STDMETHODCALLTYPE QueryBlanket(IUnknown*, DWORD* authn, DWORD* authz, OLECHAR** principal,
                                           DWORD* level, DWORD* impersonation, void** identity,
                                           DWORD* capabilities) override;
    HRESULT STDMETHODCALLTYPE SetBlanket(IUnknown*, DWORD, DWORD, OLECHAR*, DWORD, DWORD, void*,
                                         DWORD) override
    {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CopyProxy(IUnknown* proxy, IUnknown** copy) override;
};

} // namespace sim
