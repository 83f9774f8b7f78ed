#include "ClassObject.h"

#include <new>

using Microsoft::WRL::ComPtr;

namespace sim {
namespace {

bool SameName(const std::wstring& a, LPCWSTR b)
{
    return b && _wcsicmp(a.c_str(), b) == 0;
}

// What WMI accepts for a property of the given type; other types are coerced
// by WMI, which the suite never relies on.
bool Accepts(CIMTYPE type, VARTYPE vt)
{
    if (vt == VT_NULL || vt == VT_EMPTY) return true;
    if (type == CIM_OBJECT) return vt == VT_UNKNOWN || vt == VT_DISPATCH;
    if (type == (CIM_UINT8 | CIM_FLAG_ARRAY)) return vt == (VT_ARRAY | VT_UI1);
    return true;
}

// WMI keeps its own copy of an embedded object: later changes to the
// caller's object do not reach the stored one.
Variant StoredValue(const VARIANT& value)
{
    if (value.vt != VT_UNKNOWN || !value.punkVal) return Variant(value);
    ComPtr<IWbemClassObject> object;
    ComPtr<IWbemClassObject> copy;
    if (FAILED(value.punkVal->QueryInterface(IID_PPV_ARGS(&object))) || FAILED(object->Clone(&copy))) {
        return Variant(value);
    }
    return Variant::FromUnknown(copy.Get());
}

} // namespace

ComPtr<CClassObject> CClassObject::Create(const wchar_t* className, Genus genus)
{
    return Adopt(new (std::nothrow) CClassObject(className, genus));
}

void CClassObject::AddProperty(const wchar_t* name, CIMTYPE type, const Variant& value)
{
    CriticalSectionLock lock(m_lock);
    Variant stored = value;
    if (stored.type() == VT_EMPTY) stored.get()->vt = VT_NULL;
    m_properties.push_back(Property{name, type, stored});
}

void CClassObject::MakeUnreadable(const wchar_t* name)
{
    CriticalSectionLock lock(m_lock);
    if (Property* p = Find(name)) p->unreadable = true;
}

void CClassObject::AddMethod(const wchar_t* name, IWbemClassObject* in, IWbemClassObject* out)
{
    CriticalSectionLock lock(m_lock);
    m_methods.push_back(Method{name, in, out});
}

HRESULT CClassObject::QueryInterface(REFIID riid, void** object)
{
    if (!object) return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown || riid == IID_IWbemClassObject) {
        *object = static_cast<IWbemClassObject*>(this);
        AddRef();
        return S_OK;
    }
    if (riid == IID_IMarshal) return QueryMarshaler(static_cast<IWbemClassObject*>(this), object);
    return E_NOINTERFACE;
}

CClassObject::Property* CClassObject::Find(LPCWSTR name)
{
    for (Property& p : m_properties) {
        if (SameName(p.name, name)) return &p;
    }
    return nullptr;
}

bool CClassObject::SystemProperty(LPCWSTR name, Variant& value, CIMTYPE& type) const
{
    if (_wcsicmp(name, L"__CLASS") == 0) {
        value = Variant::FromString(m_className.c_str());
        type = CIM_STRING;
        return true;
    }
    if (_wcsicmp(name, L"__GENUS") == 0) {
        value = Variant::FromInt(static_cast<int32_t>(m_genus));
        type = CIM_SINT32;
        return true;
    }
    return false;
}

HRESULT CClassObject::Get(LPCWSTR name, LONG, VARIANT* value, CIMTYPE* type, LONG* flavor)
{
    if (!name) return WBEM_E_INVALID_PARAMETER;
    CriticalSectionLock lock(m_lock);
    Variant found;
    CIMTYPE foundType = CIM_EMPTY;
    if (!SystemProperty(name, found, foundType)) {
        Property* p = Find(name);
        if (!p) return WBEM_E_NOT_FOUND;
        if (p->unreadable) return WBEM_E_FAILED;
        found = p->value;
        foundType = p->type;
    }
    if (value) {
        ::VariantInit(value);
        HRESULT hr = found.CopyTo(value);
        if (FAILED(hr)) return hr;
    }
    if (type) *type = foundType;
    if (flavor) *flavor = WBEM_FLAVOR_ORIGIN_LOCAL;
    return WBEM_S_NO_ERROR;
}

HRESULT CClassObject::Put(LPCWSTR name, LONG, VARIANT* value, CIMTYPE type)
{
    if (!name || name[0] == L'_') return WBEM_E_INVALID_PARAMETER;
    CriticalSectionLock lock(m_lock);
    VARIANT null;
    null.vt = VT_NULL;
    const VARIANT& source = value ? *value : null;
    Property* p = Find(name);
    if (!p) {
        // Instances have exactly their class's properties.
        if (m_genus == Genus::Instance) return WBEM_E_NOT_FOUND;
        m_properties.push_back(Property{name, type != 0 ? type : static_cast<CIMTYPE>(CIM_EMPTY), Variant()});
        p = &m_properties.back();
    }
    if (!Accepts(p->type, source.vt)) return WBEM_E_TYPE_MISMATCH;
    p->value = StoredValue(source);
    return WBEM_S_NO_ERROR;
}

HRESULT CClassObject::GetNames(LPCWSTR, LONG, VARIANT*, SAFEARRAY** names)
{
    if (!names) return WBEM_E_INVALID_PARAMETER;
    CriticalSectionLock lock(m_lock);
    *names = ::SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(m_properties.size()));
    if (!*names) return WBEM_E_OUT_OF_MEMORY;
    for (LONG i = 0; i < static_cast<LONG>(m_properties.size()); ++i) {
        const Bstr name(m_properties[i].name.c_str());
        ::SafeArrayPutElement(*names, &i, name.get()); // the array keeps its own copy
    }
    return WBEM_S_NO_ERROR;
}

HRESULT CClassObject::BeginEnumeration(LONG)
{
    CriticalSectionLock lock(m_lock);
    m_enumeration = 0;
    return WBEM_S_NO_ERROR;
}

HRESULT CClassObject::Next(LONG, BSTR* name, VARIANT* value, CIMTYPE* type, LONG* flavor)
{
    CriticalSectionLock lock(m_lock);
    while (m_enumeration < m_properties.size() && m_properties[m_enumeration].unreadable) ++m_enumeration;
    if (m_enumeration >= m_properties.size()) return WBEM_S_NO_MORE_DATA;
    const Property& p = m_properties[m_enumeration++];
    if (name) *name = ::SysAllocString(p.name.c_str());
    if (value) {
        ::VariantInit(value);
        p.value.CopyTo(value);
    }
    if (type) *type = p.type;
    if (flavor) *flavor = WBEM_FLAVOR_ORIGIN_LOCAL;
    return WBEM_S_NO_ERROR;
}

HRESULT CClassObject::EndEnumeration()
{
    CriticalSectionLock lock(m_lock);
    m_enumeration = m_properties.size();
    return WBEM_S_NO_ERROR;
}

ComPtr<CClassObject> CClassObject::Copy(Genus genus)
{
    ComPtr<CClassObject> copy = Create(m_className.c_str(), genus);
    if (!copy) return copy;
    CriticalSectionLock lock(m_lock);
    copy->m_properties = m_properties;
    if (genus == m_genus) copy->m_methods = m_methods;
    return copy;
}

HRESULT CClassObject::Clone(IWbemClassObject** copy)
{
    if (!copy) return WBEM_E_INVALID_PARAMETER;
    ComPtr<CClassObject> made = Copy(m_genus);
    if (!made) return WBEM_E_OUT_OF_MEMORY;
    *copy = made.Detach();
    return WBEM_S_NO_ERROR;
}

HRESULT CClassObject::SpawnInstance(LONG, IWbemClassObject** instance)
{
    if (!instance) return WBEM_E_INVALID_PARAMETER;
    *instance = nullptr;
    if (m_genus != Genus::Class) return WBEM_E_INCOMPLETE_CLASS;
    ComPtr<CClassObject> made = Copy(Genus::Instance);
    if (!made) return WBEM_E_OUT_OF_MEMORY;
    *instance = made.Detach();
    return WBEM_S_NO_ERROR;
}

HRESULT CClassObject::GetMethod(LPCWSTR name, LONG, IWbemClassObject** in, IWbemClassObject** out)
{
    if (in) *in = nullptr;
    if (out) *out = nullptr;
    if (!name) return WBEM_E_INVALID_PARAMETER;
    CriticalSectionLock lock(m_lock);
    if (m_genus != Genus::Class) return WBEM_E_ILLEGAL_OPERATION;
    for (const Method& m : m_methods) {
        if (!SameName(m.name, name)) continue;
        if (in && m.in) m.in.CopyTo(in);
        if (out && m.out) m.out.CopyTo(out);
        return WBEM_S_NO_ERROR;
    }
    return WBEM_E_NOT_FOUND;
}

} // namespace sim
