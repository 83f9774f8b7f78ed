#include "SMBIOSParser.h"

#include <string>
#include <string_view>

#include "SmbiosWalker.h"

namespace {

constexpr uint8_t kTypeBios = 0;
constexpr uint8_t kTypeSystem = 1;
constexpr uint8_t kTypeOemStrings = 11;
constexpr uint8_t kTypeTokens = 218;

constexpr size_t kFirstTokenOffset = 11;
constexpr uint16_t kTokenTableEnd = 0xFFFF;

// Tokens the suite uses, in the order they enter the list.
constexpr uint16_t kKeptTokens[] = {0x0188, 0x007D, 0x0152, 0x017C, 0x017D, 0x017E, 0x0180};

constexpr std::string_view kMakerPrefix = "Corvane ";
constexpr std::string_view kMakerOemPrefix = "Corvane System";
constexpr std::string_view kOemIdPrefix = "1[";

bool StartsWith(const std::string& text, std::string_view prefix)
{
    return std::string_view(text).substr(0, prefix.size()) == prefix;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The hexadecimal number at the start of text, up to the first other character.
uint16_t LeadingHex(std::string_view text)
{
    uint16_t value = 0;
    for (char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) break;
        value = static_cast<uint16_t>(value * 16 + digit);
    }
    return value;
}

// What one parse collects before it is evaluated.
struct WorkingRecord {
    std::string biosVendor;
    std::string manufacturer;
    std::string firstOemString;
    uint8_t oemStringCount = 0;
    uint16_t oemId = 0;
    uint16_t capabilityWords[4] = {};
    uint16_t type208Id = 0;
};

void ReadOemStrings(const SmbiosStructure& s, WorkingRecord& record)
{
    record.oemStringCount = s.Byte(4);
    record.firstOemString = s.String(1);
    record.oemId = 0;
    for (unsigned n = 2; n <= record.oemStringCount; ++n) {
        const std::string text = s.String(n);
        if (StartsWith(text, kOemIdPrefix)) {
            record.oemId = LeadingHex(std::string_view(text).substr(kOemIdPrefix.size()));
            return;
        }
    }
}

// Appends, for each kept identifier, the first entry of the table that has it.
void ReadTokens(const SmbiosStructure& s, std::deque<Token>& tokens)
{
    for (uint16_t kept : kKeptTokens) {
        for (size_t at = kFirstTokenOffset; at + sizeof(Token) <= s.FormattedLength(); at += sizeof(Token)) {
            const uint16_t identifier = s.Word(at);
            if (identifier == kTokenTableEnd) break;
            if (identifier == kept) {
                tokens.push_back(Token{identifier, s.Word(at + 2), s.Word(at + 4)});
                break;
            }
        }
    }
}

} // namespace

void CSMBIOSParser::Parse(size_t length, const uint8_t* data)
{
    WorkingRecord record;
    WalkSmbiosTable(length, data, [&](const SmbiosStructure& s) {
        switch (s.Type()) {
        case kTypeBios:
            record.biosVendor = s.StringAt(4);
            break;
        case kTypeSystem:
            record.manufacturer = s.StringAt(4);
            break;
        case kTypeOemStrings:
            ReadOemStrings(s, record);
            break;
        case kSmbiosTypeCapabilities:
            ReadCapabilityWords(s, record.capabilityWords);
            break;
        case kSmbiosTypeSystemId:
            record.type208Id = SystemIdOfType208(s);
            break;
        case kTypeTokens:
            ReadTokens(s, m_tokens);
            break;
        default:
            break;
        }
    });

    m_isMakerBios = StartsWith(record.biosVendor, kMakerPrefix) ? 1 : 0;
    m_isMakerSystem
        = StartsWith(record.manufacturer, kMakerPrefix) || StartsWith(record.firstOemString, kMakerOemPrefix)
              ? 1
              : 0;
    if (!m_isMakerBios && !m_isMakerSystem) {
        m_tokens.clear();
        m_systemId = 0;
        for (uint16_t& word : m_capabilityWords) word = 0;
        return;
    }
    m_systemId = m_isMakerBios ? record.type208Id : record.oemId;
    for (int i = 0; i < 4; ++i) m_capabilityWords[i] = record.capabilityWords[i];
}

uint16_t CSMBIOSParser::CapabilityWord(int index) const
{
    return index >= 0 && index < 4 ? m_capabilityWords[index] : 0;
}

const Token* CSMBIOSParser::FindToken(uint16_t identifier) const
{
    for (const Token& token : m_tokens) {
        if (token.identifier == identifier) return &token;
    }
    return nullptr;
}
