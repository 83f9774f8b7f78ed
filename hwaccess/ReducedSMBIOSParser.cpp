#include "ReducedSMBIOSParser.h"

#include "SmbiosWalker.h"

void CReducedSMBIOSParser::Parse(size_t length, const uint8_t* data)
{
    WalkSmbiosTable(length, data, [this](const SmbiosStructure& s) {
        if (s.Type() == kSmbiosTypeSystemId) m_systemId = SystemIdOfType208(s);
        if (s.Type() == kSmbiosTypeCapabilities) ReadCapabilityWords(s, m_capabilityWords);
    });
}

uint16_t CReducedSMBIOSParser::CapabilityWord(int index) const
{
    return index >= 0 && index < 4 ? m_capabilityWords[index] : 0;
}
