#pragma once
#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

// Owning wrappers for the COM values WMI code passes around: a BSTR, a
// VARIANT, and access to the bytes of a one-dimensional VT_UI1 SAFEARRAY.

class Bstr {
public:
    Bstr() = default;
    // Out of memory is not caught anywhere: it ends the program as the
    // string library's own failures do.
    explicit Bstr(const wchar_t* text) : s_(::SysAllocString(text)) {
        if (!s_ && text) throw std::bad_alloc();
    }
    ~Bstr() { ::SysFreeString(s_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept : s_(std::exchange(other.s_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept {
        if (this != &other) {
            ::SysFreeString(s_);
            s_ = std::exchange(other.s_, nullptr);
        }
        return *this;
    }

    BSTR get() const { return s_; }

private:
    BSTR s_ = nullptr;
};

class Variant {
public:
    Variant() { ::VariantInit(&v_); }
    ~Variant() { ::VariantClear(&v_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept : v_(other.v_) { ::VariantInit(&other.v_); }
    Variant& operator=(Variant&&) = delete;

    // Takes ownership of a new byte array holding a copy of bytes.
    static Variant FromBytes(const std::vector<uint8_t>& bytes);
    // Holds another reference to unknown.
    static Variant FromUnknown(IUnknown* unknown);

    VARIANT* get() { return &v_; }
    const VARIANT* get() const { return &v_; }
    // Clears what is held and lends the slot to an out-parameter.
    VARIANT* put() {
        ::VariantClear(&v_);
        return &v_;
    }
    bool IsByteArray() const { return v_.vt == (VT_ARRAY | VT_UI1) && v_.parray; }

private:
    VARIANT v_;
};

// The bytes of a one-dimensional VT_UI1 array, accessed for one scope.
class SafeArrayBytes {
public:
    explicit SafeArrayBytes(SAFEARRAY* array);
    ~SafeArrayBytes();
    SafeArrayBytes(const SafeArrayBytes&) = delete;
    SafeArrayBytes& operator=(const SafeArrayBytes&) = delete;

    bool ok() const { return data_ != nullptr; }
    uint8_t* data() const { return data_; }
    size_t size() const { return size_; }

private:
    SAFEARRAY* array_ = nullptr;
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
};
