#include "InstanceEnum.h"

#include <new>

using Microsoft::WRL::ComPtr;

namespace sim {

// Next and Skip take a time-out in milliseconds or -1 (WBEM_INFINITE).
constexpr LONG kInfinite = -1;

ComPtr<CInstanceEnum> CInstanceEnum::Create(Objects objects)
{
    return Adopt(new (std::nothrow) CInstanceEnum(std::move(objects)));
}

HRESULT CInstanceEnum::QueryInterface(REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown || riid == IID_IEnumWbemClassObject) {
        *object = static_cast<IEnumWbemClassObject*>(this);
    } else if (riid == IID_IClientSecurity) {
        *object = static_cast<IClientSecurity*>(this);
    } else if (riid == IID_IMarshal) {
        return QueryMarshaler(static_cast<IEnumWbemClassObject*>(this), object);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT CInstanceEnum::Reset()
{
    CriticalSectionLock lock(m_lock);
    m_next = 0;
    return WBEM_S_NO_ERROR;
}

HRESULT CInstanceEnum::Next(LONG timeout, ULONG count, IWbemClassObject** objects, ULONG* returned)
{
    if (!objects || !returned || timeout < kInfinite) return WBEM_E_INVALID_PARAMETER;
    CriticalSectionLock lock(m_lock);
    ULONG n = 0;
    for (; n < count && m_next < m_objects.size(); ++n) m_objects[m_next++].CopyTo(&objects[n]);
    *returned = n;
    return n == count ? WBEM_S_NO_ERROR : WBEM_S_FALSE;
}

HRESULT CInstanceEnum::Clone(IEnumWbemClassObject** copy)
{
    if (!copy) return WBEM_E_INVALID_PARAMETER;
    CriticalSectionLock lock(m_lock);
    ComPtr<CInstanceEnum> made = Create(m_objects);
    if (!made) return WBEM_E_OUT_OF_MEMORY;
    made->m_next = m_next;
    *copy = made.Detach();
    return WBEM_S_NO_ERROR;
}

HRESULT CInstanceEnum::Skip(LONG timeout, ULONG count)
{
    if (timeout < kInfinite) return WBEM_E_INVALID_PARAMETER;
    CriticalSectionLock lock(m_lock);
    size_t left = m_objects.size() - m_next;
    m_next += count < left ? count : left;
    return count <= left ? WBEM_S_NO_ERROR : WBEM_S_FALSE;
}

} // namespace sim
