#pragma once
#include <windows.h>
#include <oleauto.h>

#include <cstdint>
#include <vector>

namespace sim {

// An owned VARIANT: cleared on destruction, deep-copied on copy.
class CVariant {
public:
    CVariant() { ::VariantInit(&v_); }
    // VariantCopy does not change its source; mingw's declaration lacks the const.
    explicit CVariant(const VARIANT& other) : CVariant() { ::VariantCopy(&v_, const_cast<VARIANT*>(&other)); }
    CVariant(const CVariant& other) : CVariant(other.v_) {}
    CVariant& operator=(const CVariant& other) {
        if (this != &other) ::VariantCopy(&v_, const_cast<VARIANT*>(&other.v_));
        return *this;
    }
    ~CVariant() { ::VariantClear(&v_); }

    VARIANT* get() { return &v_; }
    const VARIANT& operator*() const { return v_; }
    // Copies the value into a caller's VARIANT, which must be initialised.
    HRESULT CopyTo(VARIANT* target) const { return ::VariantCopy(target, const_cast<VARIANT*>(&v_)); }
    VARTYPE type() const { return v_.vt; }
    void Clear() { ::VariantClear(&v_); }

    static CVariant Int(int32_t value);
    static CVariant Bool(bool value);
    static CVariant String(const wchar_t* text);
    // Takes a reference to the object.
    static CVariant Object(IUnknown* object);
    // VT_ARRAY | VT_UI1, as WMI hands out uint8[] properties.
    static CVariant Bytes(const uint8_t* data, size_t length);
    static CVariant Bytes(const std::vector<uint8_t>& data) { return Bytes(data.data(), data.size()); }

private:
    VARIANT v_;
};

// The elements of a one-dimensional VT_ARRAY | VT_UI1; false for anything else.
bool ReadBytes(const VARIANT& value, std::vector<uint8_t>& bytes);

} // namespace sim
