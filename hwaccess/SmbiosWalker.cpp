#include "SmbiosWalker.h"

namespace {

constexpr size_t kHeaderLength = 4; // type, length, handle

// Position of the first of two consecutive zero bytes at or after from, or length.
size_t FindDoubleNul(const uint8_t* data, size_t from, size_t length)
{
    for (size_t p = from; p + 1 < length; ++p) {
        if (data[p] == 0 && data[p + 1] == 0) return p;
    }
    return length;
}

} // namespace

uint16_t SmbiosStructure::Word(size_t offset) const
{
    if (offset + 2 > m_length) return 0;
    return static_cast<uint16_t>(m_formatted[offset] | (m_formatted[offset + 1] << 8));
}

std::string SmbiosStructure::String(unsigned n) const
{
    if (n == 0) return {};
    size_t start = 0;
    for (unsigned current = 1; start < m_stringsLength; ++current) {
        size_t end = start;
        while (end < m_stringsLength && m_strings[end] != 0) ++end;
        if (current == n) return std::string(reinterpret_cast<const char*>(m_strings + start), end - start);
        start = end + 1;
    }
    return {};
}

void WalkSmbiosTable(size_t length, const uint8_t* data,
                     const std::function<void(const SmbiosStructure&)>& visit)
{
    if (!data) return;
    size_t offset = 0;
    while (offset < length) {
        if (length - offset < kHeaderLength) return;
        const size_t formattedLength = data[offset + 1];
        if (formattedLength < kHeaderLength || formattedLength > length - offset) return;
        const size_t stringsStart = offset + formattedLength;
        const size_t doubleNul = FindDoubleNul(data, stringsStart, length);
        if (doubleNul >= length) return;
        visit(SmbiosStructure(data + offset, formattedLength, data + stringsStart, doubleNul - stringsStart));
        offset = doubleNul + 2;
    }
}

uint16_t SystemIdOfType208(const SmbiosStructure& s)
{
    constexpr uint8_t kIdInWord = 0xFE;
    const uint8_t id = s.Byte(6);
    return id == kIdInWord ? s.Word(8) : id;
}

void ReadCapabilityWords(const SmbiosStructure& s, uint16_t (&words)[4])
{
    for (int i = 0; i < 4; ++i) words[i] = s.Word(4 + 2 * static_cast<size_t>(i));
}
