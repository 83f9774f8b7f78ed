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

} // namespace sim
