#pragma once
#include <windows.h>

#include <objidl.h>
#include <wrl/client.h>

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

    ULONG AddRefImpl() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
    ULONG ReleaseImpl();
    // IMarshal through the aggregated marshaler; `outer` is the object's IUnknown.
    HRESULT QueryMarshaler(IUnknown* outer, void** object);

private:
    LONG m_refs = 1;
    IUnknown* m_marshaler = nullptr;
};

// Owns the one reference a new object starts with. mingw-w64's ComPtr::Attach
// adds a reference of its own, which would keep every object made with it.
template <typename T>
Microsoft::WRL::ComPtr<T> Adopt(T* created)
{
    Microsoft::WRL::ComPtr<T> owner;
    *owner.GetAddressOf() = created;
    return owner;
}

} // namespace sim
