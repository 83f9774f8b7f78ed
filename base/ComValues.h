#pragma once
#include <windows.h>

#include <oleauto.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <utility>
#include <vector>

// Owning wrappers for the COM values WMI code passes around: a BSTR, a
// VARIANT, and access to the bytes of a one-dimensional VT_UI1 SAFEARRAY.
// Out of memory is not caught anywhere: it ends the program as the string
// library's own failures do.

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const wchar_t* text) : m_s(::SysAllocString(text))
    {
        if (!m_s && text) throw std::bad_alloc();
    }
    ~Bstr() { ::SysFreeString(m_s); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept : m_s(std::exchange(other.m_s, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept
    {
        if (this != &other) {
            ::SysFreeString(m_s);
            m_s = std::exchange(other.m_s, nullptr);
        }
        return *this;
    }

    BSTR get() const { return m_s; }

private:
    BSTR m_s = nullptr;
};

// An owned VARIANT: cleared on destruction, deep-copied on copy.
class Variant {
public:
    Variant() { ::VariantInit(&m_v); }
    explicit Variant(const VARIANT& other);
    Variant(const Variant& other) : Variant(other.m_v) {}
    Variant& operator=(const Variant& other);
    Variant(Variant&& other) noexcept : m_v(other.m_v) { ::VariantInit(&other.m_v); }
    Variant& operator=(Variant&& other) noexcept;
    ~Variant() { ::VariantClear(&m_v); }

    static Variant FromInt(int32_t value);
    static Variant FromBool(bool value);
    static Variant FromString(const wchar_t* text);
    // Holds another reference to unknown; empty for null.
    static Variant FromUnknown(IUnknown* unknown);
    // VT_ARRAY | VT_UI1 holding a copy of the bytes, as WMI hands out uint8[].
    static Variant FromBytes(const uint8_t* data, size_t length);
    static Variant FromBytes(const std::vector<uint8_t>& bytes)
    {
        return FromBytes(bytes.data(), bytes.size());
    }

    VARIANT* get() { return &m_v; }
    const VARIANT* get() const { return &m_v; }
    const VARIANT& operator*() const { return m_v; }
    // Clears what is held and lends the slot to an out-parameter.
    VARIANT* put()
    {
        ::VariantClear(&m_v);
        return &m_v;
    }
    VARTYPE type() const { return m_v.vt; }
    // Copies the value into a caller's VARIANT, which must be initialised.
    HRESULT CopyTo(VARIANT* target) const;
    bool IsByteArray() const { return m_v.vt == (VT_ARRAY | VT_UI1) && m_v.parray; }

private:
    VARIANT m_v;
};

// The bytes of a one-dimensional VT_UI1 array, accessed for one scope.
class SafeArrayBytes {
public:
    explicit SafeArrayBytes(SAFEARRAY* array);
    ~SafeArrayBytes();
    SafeArrayBytes(const SafeArrayBytes&) = delete;
    SafeArrayBytes& operator=(const SafeArrayBytes&) = delete;

    bool ok() const { return m_array != nullptr; }
    uint8_t* data() const { return m_data; }
    size_t size() const { return m_size; }

private:
    SAFEARRAY* m_array = nullptr;
    uint8_t* m_data = nullptr;
    size_t m_size = 0;
};

// The leading bytes (at most `most`) of a VT_ARRAY | VT_UI1 value; false for
// any other value.
bool CopyBytes(const VARIANT& value, std::vector<uint8_t>& bytes,
               size_t most = std::numeric_limits<size_t>::max());
