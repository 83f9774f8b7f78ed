#include "ComObject.h"

namespace sim {

CComObject::~CComObject() {
    if (marshaler_) marshaler_->Release();
}

ULONG CComObject::ReleaseImpl() {
    LONG n = ::InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

HRESULT CComObject::QueryMarshaler(IUnknown* outer, void** object) {
    if (!::InterlockedCompareExchangePointer(reinterpret_cast<void**>(&marshaler_), nullptr, nullptr)) {
        IUnknown* created = nullptr;
        HRESULT hr = ::CoCreateFreeThreadedMarshaler(outer, &created);
        if (FAILED(hr)) return hr;
        if (::InterlockedCompareExchangePointer(reinterpret_cast<void**>(&marshaler_), created, nullptr)) {
            created->Release();
        }
    }
    return marshaler_->QueryInterface(IID_IMarshal, object);
}

HRESULT CBlanketAcceptor::QueryBlanket(IUnknown*, DWORD* authn, DWORD* authz, OLECHAR** principal,
                                       DWORD* level, DWORD* impersonation, void** identity,
                                       DWORD* capabilities) {
    if (authn) *authn = RPC_C_AUTHN_WINNT;
    if (authz) *authz = RPC_C_AUTHZ_NONE;
    if (principal) *principal = nullptr;
    if (level) *level = RPC_C_AUTHN_LEVEL_CALL;
    if (impersonation) *impersonation = RPC_C_IMP_LEVEL_IMPERSONATE;
    if (identity) *identity = nullptr;
    if (capabilities) *capabilities = EOAC_NONE;
    return S_OK;
}

HRESULT CBlanketAcceptor::CopyProxy(IUnknown* proxy, IUnknown** copy) {
    if (!proxy || !copy) return E_POINTER;
    proxy->AddRef();
    *copy = proxy;
    return S_OK;
}

} // namespace sim
