#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// Builds raw SMBIOS tables byte by byte for the identity readers' tests.
class SmbiosTestTable {
public:
    // A structure: type, formatted bytes after the 4-byte header, strings.
    SmbiosTestTable& Add(uint8_t type, std::vector<uint8_t> body, std::vector<std::string> strings = {})
    {
        m_bytes.push_back(type);
        m_bytes.push_back(static_cast<uint8_t>(4 + body.size()));
        m_bytes.push_back(static_cast<uint8_t>(m_handle));
        m_bytes.push_back(static_cast<uint8_t>(m_handle >> 8));
        ++m_handle;
        m_bytes.insert(m_bytes.end(), body.begin(), body.end());
        for (const std::string& s : strings) {
            m_bytes.insert(m_bytes.end(), s.begin(), s.end());
            m_bytes.push_back(0);
        }
        if (strings.empty()) m_bytes.push_back(0);
        m_bytes.push_back(0);
        return *this;
    }

    SmbiosTestTable& Bios(const std::string& vendor) { return Add(0, {1, 0, 0, 0, 0}, {vendor}); }
    SmbiosTestTable& System(const std::string& maker) { return Add(1, {1, 2, 0, 0}, {maker, "Model"}); }
    SmbiosTestTable& OemStrings(std::vector<std::string> strings)
    {
        // The count is taken before the strings are handed on.
        const auto count = static_cast<uint8_t>(strings.size());
        return Add(11, {count}, std::move(strings));
    }
    SmbiosTestTable& Capabilities(uint16_t w0, uint16_t w1, uint16_t w2, uint16_t w3)
    {
        std::vector<uint8_t> body;
        for (uint16_t w : {w0, w1, w2, w3}) AppendWord(body, w);
        return Add(177, body);
    }
    SmbiosTestTable& SystemIdByte(uint8_t id) { return Add(208, {0, 0, id, 0}); }
    SmbiosTestTable& SystemIdWord(uint16_t id)
    {
        std::vector<uint8_t> body{0, 0, 0xFE, 0};
        AppendWord(body, id);
        return Add(208, body);
    }
    // Entries {identifier, location, value}; terminated when terminate is set.
    SmbiosTestTable& Tokens(std::initializer_list<std::initializer_list<uint16_t>> entries,
                            bool terminate = true)
    {
        std::vector<uint8_t> body(7, 0);
        for (auto entry : entries) {
            for (uint16_t w : entry) AppendWord(body, w);
        }
        if (terminate) {
            for (uint16_t w : {0xFFFF, 0, 0}) AppendWord(body, w);
        }
        return Add(218, body);
    }
    // A complete Corvane machine: maker BIOS and system, model id, capabilities.
    SmbiosTestTable& CorvaneMachine(uint16_t systemId = 0x0271)
    {
        Bios("Corvane Computer Corporation").System("Corvane Computer Corporation");
        return SystemIdWord(systemId);
    }

    std::vector<uint8_t>& Bytes() { return m_bytes; }
    size_t Size() const { return m_bytes.size(); }
    const uint8_t* Data() const { return m_bytes.data(); }

    static void AppendWord(std::vector<uint8_t>& out, uint16_t w)
    {
        out.push_back(static_cast<uint8_t>(w));
        out.push_back(static_cast<uint8_t>(w >> 8));
    }

private:
    std::vector<uint8_t> m_bytes;
    uint16_t m_handle = 0;
};
