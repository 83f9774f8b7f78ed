// A TavrinSim.dll stand-in from before the current seam table: its export
// exists but hands out a table of version 0.
#include <windows.h>

#include "SeamTable.h"

namespace {
constexpr TavrinSeamTable kOutdated
    = {0, 8, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
}

extern "C" const TavrinSeamTable* WINAPI TavrinSimGetSeams(UINT)
{
    return &kOutdated;
}
