#include "Variant.h"

#include <cstring>

namespace sim {

CVariant CVariant::Int(int32_t value) {
    CVariant v;
    v.v_.vt = VT_I4;
    v.v_.lVal = value;
    return v;
}

CVariant CVariant::Bool(bool value) {
    CVariant v;
    v.v_.vt = VT_BOOL;
    v.v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

CVariant CVariant::String(const wchar_t* text) {
    CVariant v;
    v.v_.bstrVal = ::SysAllocString(text);
    if (v.v_.bstrVal) v.v_.vt = VT_BSTR;
    return v;
}

CVariant CVariant::Object(IUnknown* object) {
    CVariant v;
    if (!object) return v;
    object->AddRef();
    v.v_.vt = VT_UNKNOWN;
    v.v_.punkVal = object;
    return v;
}

CVariant CVariant::Bytes(const uint8_t* data, size_t length) {
    CVariant v;
    SAFEARRAY* array = ::SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(length));
    if (!array) return v;
    void* target = nullptr;
    if (SUCCEEDED(::SafeArrayAccessData(array, &target))) {
        if (length) std::memcpy(target, data, length);
        ::SafeArrayUnaccessData(array);
    }
    v.v_.vt = VT_ARRAY | VT_UI1;
    v.v_.parray = array;
    return v;
}

bool ReadBytes(const VARIANT& value, std::vector<uint8_t>& bytes) {
    if (value.vt != (VT_ARRAY | VT_UI1) || !value.parray || ::SafeArrayGetDim(value.parray) != 1) return false;
    LONG low = 0, high = -1;
    if (FAILED(::SafeArrayGetLBound(value.parray, 1, &low)) ||
        FAILED(::SafeArrayGetUBound(value.parray, 1, &high))) {
        return false;
    }
    void* data = nullptr;
    if (FAILED(::SafeArrayAccessData(value.parray, &data))) return false;
    const uint8_t* first = static_cast<const uint8_t*>(data);
    bytes.assign(first, first + (high >= low ? high - low + 1 : 0));
    ::SafeArrayUnaccessData(value.parray);
    return true;
}

} // namespace sim
