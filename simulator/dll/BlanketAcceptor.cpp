#include "BlanketAcceptor.h"

namespace sim {

HRESULT CBlanketAcceptor::QueryBlanket(IUnknown*, DWORD* authn, DWORD* authz, OLECHAR** principal,
                                       DWORD* level, DWORD* impersonation, void** identity,
                                       DWORD* capabilities)
{
    if (authn) *authn = RPC_C_AUTHN_WINNT;
    if (authz) *authz = RPC_C_AUTHZ_NONE;
    if (principal) *principal = nullptr;
    if (level) *level = RPC_C_AUTHN_LEVEL_CALL;
    if (impersonation) *impersonation = RPC_C_IMP_LEVEL_IMPERSONATE;
    if (identity) *identity = nullptr;
    if (capabilities) *capabilities = EOAC_NONE;
    return S_OK;
}

HRESULT CBlanketAcceptor::CopyProxy(IUnknown* proxy, IUnknown** copy)
{
    if (!proxy || !copy) return E_POINTER;
    proxy->AddRef();
    *copy = proxy;
    return S_OK;
}

} // namespace sim
