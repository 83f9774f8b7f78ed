#include "ReducedSMBIOSParser.h"

#include "SmbiosWalker.h"

void CReducedSMBIOSParser::Parse(size_t length, const uint8_t* data) {
    WalkSmbiosTable(length, data, [this](const SmbiosStructure& s) {
        if (s.Type() == kSmbiosTypeSystemId) systemId = SystemIdOfType208(s);
        if (s.Type() == kSmbiosTypeCapabilities) ReadCapabilityWords(s, capabilityWords);
    });
}

uint16_t CReducedSMBIOSParser::CapabilityWord(int index) const {
    return index >= 0 && index < 4 ? capabilityWords[index] : 0;
}
