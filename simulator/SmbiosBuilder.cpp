#include "SmbiosBuilder.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace sim {
namespace {

// One structure: formatted area first, then its strings.
class StructureWriter {
public:
    StructureWriter(std::vector<uint8_t>& table, uint8_t type, uint8_t length, uint16_t handle)
        : m_table(table), m_start(table.size())
    {
        m_table.resize(m_start + length, 0);
        m_table[m_start] = type;
        m_table[m_start + 1] = length;
        Word(2, handle);
    }
    ~StructureWriter()
    {
        if (m_strings.empty()) m_table.push_back(0);
        for (const std::string& s : m_strings)
            m_table.insert(m_table.end(), s.c_str(), s.c_str() + s.size() + 1);
        m_table.push_back(0);
    }
    StructureWriter(const StructureWriter&) = delete;
    StructureWriter& operator=(const StructureWriter&) = delete;

    void Byte(size_t offset, uint8_t value) { m_table[m_start + offset] = value; }
    void Word(size_t offset, uint16_t value)
    {
        m_table[m_start + offset] = static_cast<uint8_t>(value);
        m_table[m_start + offset + 1] = static_cast<uint8_t>(value >> 8);
    }
    // Stores the string's number at offset; empty strings get number 0.
    void String(size_t offset, const char* text, size_t capacity)
    {
        std::string s(text, strnlen(text, capacity));
        if (s.empty()) return Byte(offset, 0);
        m_strings.push_back(s);
        Byte(offset, static_cast<uint8_t>(m_strings.size()));
    }
    void AddString(const char* text, size_t capacity)
    {
        std::string s(text, strnlen(text, capacity));
        // An empty OEM string still occupies its number.
        m_strings.push_back(s.empty() ? std::string(" ") : s);
    }

private:
    std::vector<uint8_t>& m_table;
    size_t m_start;
    std::vector<std::string> m_strings;
};

void BiosInformation(std::vector<uint8_t>& table, const SimSmbios& s, uint16_t handle)
{
    StructureWriter w(table, 0, 0x18, handle);
    w.String(4, s.biosVendor, sizeof s.biosVendor);
    w.String(5, s.biosVersion, sizeof s.biosVersion);
    w.Word(6, 0xF000);
    w.String(8, s.biosDate, sizeof s.biosDate);
    w.Byte(9, 0x3F);
    w.Byte(0x0A, 0x80);
}

void SystemInformation(std::vector<uint8_t>& table, const SimSmbios& s, uint16_t handle)
{
    StructureWriter w(table, 1, 0x1B, handle);
    w.String(4, s.manufacturer, sizeof s.manufacturer);
    w.String(5, s.product, sizeof s.product);
    w.Byte(0x18, 0x06); // woken by the power switch
}

void OemStrings(std::vector<uint8_t>& table, const SimSmbios& s, uint16_t handle)
{
    StructureWriter w(table, 11, 5, handle);
    int count = std::min<int>(s.oemCount, kMaxOemStrings);
    w.Byte(4, static_cast<uint8_t>(count));
    for (int i = 0; i < count; ++i) w.AddString(s.oem[i], sizeof s.oem[i]);
}

void Capabilities(std::vector<uint8_t>& table, const SimSmbios& s, uint16_t handle)
{
    StructureWriter w(table, 177, 12, handle);
    for (int i = 0; i < 4; ++i) w.Word(4 + 2 * i, s.capabilityWords[i]);
}

void SystemId(std::vector<uint8_t>& table, const SimSmbios& s, uint16_t handle)
{
    StructureWriter w(table, 208, 12, handle);
    w.Byte(4, 0x01);
    if (s.systemIdWide) {
        w.Byte(6, 0xFE);
        w.Word(8, s.systemId);
    } else {
        w.Byte(6, static_cast<uint8_t>(s.systemId));
    }
}

// A formatted area holds at most 255 bytes, so long tables take several structures.
constexpr int kTokensPerStructure = (255 - 11) / 6 - 1;

void TokenTable(std::vector<uint8_t>& table, const SimToken* tokens, int count, uint16_t handle)
{
    // Header up to offset 11, the entries, then the 0xFFFF end entry.
    StructureWriter w(table, 218, static_cast<uint8_t>(11 + 6 * (count + 1)), handle);
    w.Word(4, 0xB1C4); // command I/O address and code of the calling interface
    w.Byte(6, 0xB2);
    w.Word(7, 0x0003); // supported command classes
    for (int i = 0; i < count; ++i) {
        w.Word(11 + 6 * i, tokens[i].identifier);
        w.Word(13 + 6 * i, tokens[i].location);
        w.Word(15 + 6 * i, tokens[i].value);
    }
    w.Word(11 + 6 * count, 0xFFFF);
}

} // namespace

std::vector<uint8_t> BuildSmbiosTable(const SimSmbios& smbios)
{
    std::vector<uint8_t> table;
    uint16_t handle = 0;
    BiosInformation(table, smbios, handle++);
    SystemInformation(table, smbios, handle++);
    if (smbios.oemCount > 0) OemStrings(table, smbios, handle++);
    if (smbios.hasCapabilities) Capabilities(table, smbios, handle++);
    if (smbios.hasSystemId) SystemId(table, smbios, handle++);
    int tokens = std::min<int>(smbios.tokenCount, kMaxTokens);
    for (int first = 0; first < tokens; first += kTokensPerStructure) {
        TokenTable(table, smbios.tokens + first, std::min(kTokensPerStructure, tokens - first), handle++);
    }
    {
        StructureWriter end(table, 127, 4, handle);
    }
    return table;
}

} // namespace sim
