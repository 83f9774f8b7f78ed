#include "KeyPath.h"

void KeyPath::Put(wchar_t c)
{
    // One place is kept for the terminating zero.
    if (m_length + 1 >= kCapacity) {
        m_overflow = true;
        return;
    }
    m_text[m_length++] = c;
    m_text[m_length] = L'\0';
}

KeyPath& KeyPath::Append(const wchar_t* text)
{
    if (!text) {
        m_overflow = true;
        return *this;
    }
    for (; *text && !m_overflow; ++text) Put(*text);
    return *this;
}

KeyPath& KeyPath::AppendNumber(int value)
{
    // Unsigned arithmetic, so that the most negative int has a magnitude too.
    uint32_t magnitude = static_cast<uint32_t>(value);
    if (value < 0) {
        Put(L'-');
        magnitude = 0u - magnitude;
    }
    wchar_t digits[10];
    int count = 0;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    while (count) Put(digits[--count]);
    return *this;
}
