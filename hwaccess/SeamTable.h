#pragma once
#include <windows.h>

#include <wbemidl.h>

#include <cstddef>
#include <cstdint>

// The simulated notebook's platform objects, handed to the product's seams
// in one table by TavrinSim.dll's single export. A new seam adds a field at
// the end and raises the version; a program asks for the version it was
// built with and accepts any table at least that new and that large.
inline constexpr uint32_t kSeamTableVersion = 1;
inline constexpr char kSeamTableExport[] = "TavrinSimGetSeams";

struct TavrinSeamTable {
    uint32_t version; // of the layout the DLL filled in
    uint32_t size; // sizeof the DLL's table, in bytes
    HRESULT(WINAPI* createWbemLocator)(IWbemLocator** locator);
    BOOL(WINAPI* getPowerStatus)(SYSTEM_POWER_STATUS* status);
};

// Programs and the DLL are built apart: the layout is part of their contract.
static_assert(offsetof(TavrinSeamTable, version) == 0);
static_assert(offsetof(TavrinSeamTable, size) == 4);
static_assert(offsetof(TavrinSeamTable, createWbemLocator) == 8);
static_assert(offsetof(TavrinSeamTable, getPowerStatus) == 16);
static_assert(sizeof(TavrinSeamTable) == 24);

// The table of at least `version`, or null when the DLL has none that new.
using TavrinSimGetSeamsFn = const TavrinSeamTable*(WINAPI*)(UINT version);
