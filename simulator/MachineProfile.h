#pragma once
#include <string>

#include "SimMachine.h"

namespace sim {

// The full path of a machine profile: a name means profiles\<name>.ini beside
// this module; anything with a path separator or ending in .ini is a file.
std::wstring ResolveProfile(const std::wstring& nameOrPath);

// Resets the machine (all but the event queue, the audio change ring and
// their subscribers) and fills
// it from the profile file. False, with the machine untouched, when the file
// does not exist. Malformed entries are skipped; out-of-range numbers clamp.
bool LoadProfile(const std::wstring& nameOrPath, SimMachine& machine);

// Numbers as profiles and simctl write them: decimal, 0x-hex, optional sign.
// False for anything else, including trailing text.
bool ParseNumber(const std::wstring& text, long long& value);

} // namespace sim
