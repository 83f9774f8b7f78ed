#pragma once
#include <cstdint>
#include <vector>

#include "SimMachine.h"

namespace sim {

// The raw SMBIOS structure table of the simulated machine, as Windows hands
// it out in MSSmBios_RawSMBiosTables.SMBiosData: BIOS (0), system (1), OEM
// strings (11), capability words (177), system id (208), token table (218)
// and the end marker (127).
std::vector<uint8_t> BuildSmbiosTable(const SimSmbios& smbios);

} // namespace sim
