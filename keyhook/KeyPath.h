#pragma once
#include <windows.h>

#include <cstdint>

// A registry path built in place, without the heap: the DLL that builds it
// has no C++ runtime. A path that does not fit is invalid and names no key.
class KeyPath {
public:
    static constexpr uint32_t kCapacity = 192;

    explicit KeyPath(const wchar_t* root) { Append(root); }

    KeyPath& Append(const wchar_t* text);
    KeyPath& AppendNumber(int value);

    bool Valid() const { return !m_overflow; }
    const wchar_t* Text() const { return m_text; }

private:
    void Put(wchar_t c);

    wchar_t m_text[kCapacity] = {};
    uint32_t m_length = 0;
    bool m_overflow = false;
};
