#include "ComValues.h"

#include <cstring>

Variant Variant::FromBytes(const std::vector<uint8_t>& bytes) {
    Variant v;
    SAFEARRAY* array = ::SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!array) throw std::bad_alloc();
    v.v_.vt = VT_ARRAY | VT_UI1;
    v.v_.parray = array;
    SafeArrayBytes access(array);
    if (access.ok() && !bytes.empty()) {
        std::memcpy(access.data(), bytes.data(), bytes.size());
    }
    return v;
}

Variant Variant::FromUnknown(IUnknown* unknown) {
    Variant v;
    v.v_.vt = VT_UNKNOWN;
    v.v_.punkVal = unknown;
    if (unknown) unknown->AddRef();
    return v;
}

SafeArrayBytes::SafeArrayBytes(SAFEARRAY* array) {
    if (!array || ::SafeArrayGetDim(array) != 1 || ::SafeArrayGetElemsize(array) != 1) return;
    LONG lower = 0;
    LONG upper = -1;
    if (FAILED(::SafeArrayGetLBound(array, 1, &lower)) || FAILED(::SafeArrayGetUBound(array, 1, &upper))) return;
    void* data = nullptr;
    if (FAILED(::SafeArrayAccessData(array, &data))) return;
    array_ = array;
    data_ = static_cast<uint8_t*>(data);
    size_ = upper >= lower ? static_cast<size_t>(upper) - static_cast<size_t>(lower) + 1 : 0;
}

SafeArrayBytes::~SafeArrayBytes() {
    if (array_) ::SafeArrayUnaccessData(array_);
}
