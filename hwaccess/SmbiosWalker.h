#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// One structure of a raw SMBIOS table: its formatted area and its strings.
// Every read is bounded by the structure; fields outside it read as 0.
class SmbiosStructure {
public:
    SmbiosStructure(const uint8_t* formatted, size_t formattedLength, const uint8_t* strings,
                    size_t stringsLength)
        : m_formatted(formatted)
        , m_length(formattedLength)
        , m_strings(strings)
        , m_stringsLength(stringsLength)
    {}

    uint8_t Type() const { return m_formatted[0]; }
    size_t FormattedLength() const { return m_length; }
    uint8_t Byte(size_t offset) const { return offset < m_length ? m_formatted[offset] : 0; }
    uint16_t Word(size_t offset) const;
    // String number n (1-based) of the string set; 0 or a missing number give "".
    std::string String(unsigned n) const;
    // The string whose number is the byte at offset.
    std::string StringAt(size_t offset) const { return String(Byte(offset)); }

private:
    const uint8_t* m_formatted;
    size_t m_length;
    const uint8_t* m_strings;
    size_t m_stringsLength;
};

// Calls visit for each complete structure of the table, in order. The walk
// ends at the given length, or at a structure that is shorter than its
// header or runs past the end with its formatted area or its string set.
void WalkSmbiosTable(size_t length, const uint8_t* data,
                     const std::function<void(const SmbiosStructure&)>& visit);

// Maker structures that both identity readers look at.
inline constexpr uint8_t kSmbiosTypeCapabilities = 177;
inline constexpr uint8_t kSmbiosTypeSystemId = 208;

// The model number of a type-208 structure: the byte at 6, or the word at 8
// when that byte is 0xFE.
uint16_t SystemIdOfType208(const SmbiosStructure& s);
// The four capability words of a type-177 structure (offsets 4, 6, 8, 10).
void ReadCapabilityWords(const SmbiosStructure& s, uint16_t (&words)[4]);
