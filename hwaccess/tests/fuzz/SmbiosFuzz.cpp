// Fuzz target: a raw SMBIOS table read as the machine's identity.
#include "SMBIOSParser.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CSMBIOSParser parser;
    parser.Parse(size, data);
    // Every token found is one the table held: its identifier finds it again.
    for (const Token& token : parser.Tokens()) {
        const Token* found = parser.FindToken(token.identifier);
        if (found == nullptr || found->identifier != token.identifier) std::abort();
    }
    for (int index = -1; index <= 4; ++index) (void)parser.CapabilityWord(index);
    return 0;
}
