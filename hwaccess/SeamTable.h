#pragma once
#include <windows.h>

#include <mmdeviceapi.h>
#include <wbemidl.h>

#include <cstddef>
#include <cstdint>

class IDeviceTree;

// The simulated notebook's platform objects, handed to the product's seams
// in one table by TavrinSim.dll's single export. A new seam adds a field at
// the end and raises the version; a program asks for the version it was
// built with and accepts any table at least that new and that large.
inline constexpr uint32_t kSeamTableVersion = 5;
inline constexpr char kSeamTableExport[] = "TavrinSimGetSeams";

struct TavrinSeamTable {
    uint32_t version; // of the layout the DLL filled in
    uint32_t size; // sizeof the DLL's table, in bytes
    HRESULT(WINAPI* createWbemLocator)(IWbemLocator** locator);
    BOOL(WINAPI* getPowerStatus)(SYSTEM_POWER_STATUS* status);
    // Version 2: the audio endpoints and the power plans. `source` is 0 for
    // AC, 1 for battery; `access` a POWER_DATA_ACCESSOR.
    HRESULT(WINAPI* createAudioDeviceEnumerator)(IMMDeviceEnumerator** enumerator);
    DWORD(WINAPI* powerGetActiveScheme)(GUID* scheme);
    DWORD(WINAPI* powerSettingAccessCheck)(int access, const GUID* scheme);
    DWORD(WINAPI* powerReadValueIndex)
    (uint32_t source, const GUID* scheme, const GUID* subgroup, const GUID* setting, DWORD* value);
    DWORD(WINAPI* powerWriteValueIndex)
    (uint32_t source, const GUID* scheme, const GUID* subgroup, const GUID* setting, DWORD value);
    DWORD(WINAPI* powerSetActiveScheme)(const GUID* scheme);
    // Version 3: sleep and hibernation. The requests return after the resume.
    BOOLEAN(WINAPI* isPwrHibernateAllowed)();
    LONG(WINAPI* callNtPowerInformation)
    (int level, void* input, ULONG inputBytes, void* output, ULONG outputBytes);
    BOOLEAN(WINAPI* setSuspendState)(BOOLEAN hibernate, BOOLEAN force, BOOLEAN disableWakeEvents);
    BOOL(WINAPI* setSystemPowerState)(BOOL suspend, BOOL force);
    // Version 4: the device tree (DeviceTree.h), one object for the process.
    IDeviceTree*(WINAPI* deviceTree)();
    // Version 5: the keyboard's lock keys, as GetKeyState reports a key (bit 0: toggled on).
    SHORT(WINAPI* getKeyState)(int virtualKey);
};

// Programs and the DLL are built apart: the layout is part of their contract.
static_assert(offsetof(TavrinSeamTable, version) == 0);
static_assert(offsetof(TavrinSeamTable, size) == 4);
static_assert(offsetof(TavrinSeamTable, createWbemLocator) == 8);
static_assert(offsetof(TavrinSeamTable, getPowerStatus) == 16);
static_assert(offsetof(TavrinSeamTable, createAudioDeviceEnumerator) == 24);
static_assert(offsetof(TavrinSeamTable, powerGetActiveScheme) == 32);
static_assert(offsetof(TavrinSeamTable, powerSettingAccessCheck) == 40);
static_assert(offsetof(TavrinSeamTable, powerReadValueIndex) == 48);
static_assert(offsetof(TavrinSeamTable, powerWriteValueIndex) == 56);
static_assert(offsetof(TavrinSeamTable, powerSetActiveScheme) == 64);
static_assert(offsetof(TavrinSeamTable, isPwrHibernateAllowed) == 72);
static_assert(offsetof(TavrinSeamTable, setSystemPowerState) == 96);
static_assert(offsetof(TavrinSeamTable, deviceTree) == 104);
static_assert(offsetof(TavrinSeamTable, getKeyState) == 112);
static_assert(sizeof(TavrinSeamTable) == 120);

// The table of at least `version`, or null when the DLL has none that new.
using TavrinSimGetSeamsFn = const TavrinSeamTable*(WINAPI*)(UINT version);
