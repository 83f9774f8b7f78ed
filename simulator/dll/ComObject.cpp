#include "ComObject.h"

namespace sim {

CComObject::~CComObject()
{
    if (m_marshaler) m_marshaler->Release();
}

ULONG CComObject::ReleaseImpl()
{
    LONG n = ::InterlockedDecrement(&m_refs);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

HRESULT CComObject::QueryMarshaler(IUnknown* outer, void** object)
{
    if (!::InterlockedCompareExchangePointer(reinterpret_cast<void**>(&m_marshaler), nullptr, nullptr)) {
        IUnknown* created = nullptr;
        HRESULT hr = ::CoCreateFreeThreadedMarshaler(outer, &created);
        if (FAILED(hr)) return hr;
        if (::InterlockedCompareExchangePointer(reinterpret_cast<void**>(&m_marshaler), created, nullptr)) {
            created->Release();
        }
    }
    return m_marshaler->QueryInterface(IID_IMarshal, object);
}

} // namespace sim
