#include "Locator.h"

#include <new>
#include <string>

#include "Services.h"

using Microsoft::WRL::ComPtr;

namespace sim {

ComPtr<CLocator> CLocator::Create()
{
    return Adopt(new (std::nothrow) CLocator());
}

HRESULT CLocator::QueryInterface(REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown || riid == IID_IWbemLocator) {
        *object = static_cast<IWbemLocator*>(this);
        AddRef();
        return S_OK;
    }
    if (riid == IID_IMarshal) return QueryMarshaler(static_cast<IWbemLocator*>(this), object);
    return E_NOINTERFACE;
}

bool CLocator::IsFirmwareNamespace(const wchar_t* resource)
{
    if (!resource) return false;
    std::wstring ns(resource);
    for (wchar_t& c : ns) {
        if (c == L'/') c = L'\\';
    }
    for (const wchar_t* prefix : {L"\\\\.\\", L"\\\\localhost\\"}) {
        size_t n = wcslen(prefix);
        if (ns.size() > n && _wcsnicmp(ns.c_str(), prefix, n) == 0) ns.erase(0, n);
    }
    return _wcsicmp(ns.c_str(), L"root\\wmi") == 0;
}

HRESULT CLocator::ConnectServer(const BSTR resource, const BSTR user, const BSTR password, const BSTR locale,
                                LONG flags, const BSTR authority, IWbemContext* context,
                                IWbemServices** services)
{
    if (!services) return WBEM_E_INVALID_PARAMETER;
    *services = nullptr;
    if (IsFirmwareNamespace(resource)) {
        ComPtr<CServices> made = CServices::Create();
        if (!made) return WBEM_E_OUT_OF_MEMORY;
        *services = made.Detach();
        return WBEM_S_NO_ERROR;
    }
    ComPtr<IWbemLocator> real;
    HRESULT hr = ::CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&real));
    if (FAILED(hr)) return hr;
    return real->ConnectServer(resource, user, password, locale, flags, authority, context, services);
}

} // namespace sim
