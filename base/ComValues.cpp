#include "ComValues.h"

#include <algorithm>
#include <cstring>

namespace {

// VariantCopy does not change its source; mingw's declaration lacks the const.
HRESULT CopyVariant(VARIANT* target, const VARIANT& source)
{
    return ::VariantCopy(target, const_cast<VARIANT*>(&source));
}

} // namespace

Variant::Variant(const VARIANT& other) : Variant()
{
    CopyVariant(&m_v, other);
}

Variant& Variant::operator=(const Variant& other)
{
    if (this != &other) CopyVariant(&m_v, other.m_v);
    return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept
{
    if (this != &other) {
        ::VariantClear(&m_v);
        m_v = other.m_v;
        ::VariantInit(&other.m_v);
    }
    return *this;
}

HRESULT Variant::CopyTo(VARIANT* target) const
{
    return CopyVariant(target, m_v);
}

Variant Variant::FromInt(int32_t value)
{
    Variant v;
    v.m_v.vt = VT_I4;
    v.m_v.lVal = value;
    return v;
}

Variant Variant::FromBool(bool value)
{
    Variant v;
    v.m_v.vt = VT_BOOL;
    v.m_v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

Variant Variant::FromString(const wchar_t* text)
{
    Variant v;
    if (!text) return v;
    v.m_v.bstrVal = ::SysAllocString(text);
    if (!v.m_v.bstrVal) throw std::bad_alloc();
    v.m_v.vt = VT_BSTR;
    return v;
}

Variant Variant::FromUnknown(IUnknown* unknown)
{
    Variant v;
    if (!unknown) return v;
    unknown->AddRef();
    v.m_v.vt = VT_UNKNOWN;
    v.m_v.punkVal = unknown;
    return v;
}

Variant Variant::FromBytes(const uint8_t* data, size_t length)
{
    Variant v;
    SAFEARRAY* array = ::SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(length));
    if (!array) throw std::bad_alloc();
    v.m_v.vt = VT_ARRAY | VT_UI1;
    v.m_v.parray = array;
    SafeArrayBytes access(array);
    if (access.ok() && length) std::memcpy(access.data(), data, length);
    return v;
}

SafeArrayBytes::SafeArrayBytes(SAFEARRAY* array)
{
    if (!array || ::SafeArrayGetDim(array) != 1 || ::SafeArrayGetElemsize(array) != 1) return;
    LONG lower = 0;
    LONG upper = -1;
    if (FAILED(::SafeArrayGetLBound(array, 1, &lower)) || FAILED(::SafeArrayGetUBound(array, 1, &upper)))
        return;
    void* data = nullptr;
    if (FAILED(::SafeArrayAccessData(array, &data))) return;
    m_array = array;
    m_data = static_cast<uint8_t*>(data);
    m_size = upper >= lower ? static_cast<size_t>(upper) - static_cast<size_t>(lower) + 1 : 0;
}

SafeArrayBytes::~SafeArrayBytes()
{
    if (m_array) ::SafeArrayUnaccessData(m_array);
}

bool CopyBytes(const VARIANT& value, std::vector<uint8_t>& bytes, size_t most)
{
    if (value.vt != (VT_ARRAY | VT_UI1)) return false;
    const SafeArrayBytes access(value.parray);
    if (!access.ok()) return false;
    bytes.assign(access.data(), access.data() + std::min(access.size(), most));
    return true;
}
