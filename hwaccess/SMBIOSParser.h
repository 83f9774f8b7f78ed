#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>

// One entry of the firmware's setting-token table, as stored there.
#pragma pack(push, 1)
struct Token {
    uint16_t identifier;
    uint16_t location;
    uint16_t value;
};
#pragma pack(pop)
static_assert(sizeof(Token) == 6);

// The machine's identity from the raw SMBIOS table: maker flags, model
// number, capability words and the setting tokens the suite uses.
class CSMBIOSParser {
public:
    // Reads one raw table; never reads outside [data, data + length).
    void Parse(size_t length, const uint8_t* data);

    uint16_t CapabilityWord(int index) const; // 0 for index outside 0..3
    const Token* FindToken(uint16_t identifier) const;
    int IsMakerSystem() const { return m_isMakerSystem; }
    int IsMakerBios() const { return m_isMakerBios; }
    uint16_t SystemId() const { return m_systemId; }
    const std::deque<Token>& Tokens() const { return m_tokens; }

private:
    int m_isMakerSystem = 0;
    int m_isMakerBios = 0;
    uint16_t m_capabilityWords[4] = {};
    uint16_t m_systemId = 0;
    std::deque<Token> m_tokens;
};
