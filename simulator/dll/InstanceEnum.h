#pragma once
#include <windows.h>

#include <wbemidl.h>
#include <wrl/client.h>

#include <vector>

#include "BlanketAcceptor.h"
#include "ComObject.h"
#include "CriticalSection.h"

namespace sim {

// The result of CreateInstanceEnum: a fixed list handed out in order.
class CInstanceEnum final : public IEnumWbemClassObject, public CBlanketAcceptor, public CComObject {
public:
    using Objects = std::vector<Microsoft::WRL::ComPtr<IWbemClassObject>>;
    static Microsoft::WRL::ComPtr<CInstanceEnum> Create(Objects objects);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Next(LONG timeout, ULONG count, IWbemClassObject** objects,
                                   ULONG* returned) override;
    HRESULT STDMETHODCALLTYPE NextAsync(ULONG, IWbemObjectSink*) override { return WBEM_E_NOT_SUPPORTED; }
    HRESULT STDMETHODCALLTYPE Clone(IEnumWbemClassObject** copy) override;
    HRESULT STDMETHODCALLTYPE Skip(LONG timeout, ULONG count) override;

private:
    explicit CInstanceEnum(Objects objects) : m_objects(std::move(objects)) {}

    CriticalSection m_lock;
    Objects m_objects;
    size_t m_next = 0;
};

} // namespace sim
