#pragma once
#include <cstdint>

#include "BiosCalls.h"
#include "HwConfigBlock.h"
#include "SMBIOSParser.h"
#include "UniqueHandle.h"

// The process's view of the hardware-configuration block. The first program
// of a logon session creates and fills the block; every later one copies its
// feature bitmap. Readers test the private copy, which is never refreshed.
class CHwConfig {
public:
    // Creates or opens the block named blockName (tests pass their own name).
    // The fill uses bios and identity only while this constructor runs.
    CHwConfig(IBiosCalls& bios, const CSMBIOSParser& identity, const wchar_t* blockName = kHwConfigBlockName);
    CHwConfig(const CHwConfig&) = delete;
    CHwConfig& operator=(const CHwConfig&) = delete;

    bool IsFeature(int bit) const; // bit >= 512 or < 0 -> false

    // Whether this process created and filled the block.
    bool FilledBlock() const { return m_filledBlock; }

    // Writes the answers of the BIOS and the identity into a cleared block.
    static void Fill(HwConfigBlock& block, IBiosCalls& bios, const CSMBIOSParser& identity);

    // How long an opener waits for a creator that is still filling.
    static constexpr unsigned long kFillWaitMs = 15000;

private:
    UniqueHandle m_mapping;
    UniqueView m_view;
    uint8_t m_featureBitmap[kHwConfigBitmapBytes] = {};
    bool m_filledBlock = false;
};
