#pragma once
#include <windows.h>
#include <cstddef>
#include <cstdint>

// What the keyboard DLL's callers see: the key records that cross its
// exports and the signatures to resolve with GetProcAddress.

// One key as the reader receives it; 0x80 is added to a released
// display-switch key (0x1B becomes 0x9B).
struct ZelkeyKey {
    uint16_t scanCode;
    uint16_t reserved;
    uint32_t ext;
};
static_assert(sizeof(ZelkeyKey) == 8);
static_assert(offsetof(ZelkeyKey, ext) == 4);

// One entry of the caller's OEM key table. Only the scan code and the
// extended flag are read; the rest of the entry belongs to the caller.
struct OemKeyTableEntry {
    uint16_t scanCode;
    uint16_t reserved;
    int32_t ext;
    uint8_t callerData[3640];
};
static_assert(sizeof(OemKeyTableEntry) == 3648);
static_assert(offsetof(OemKeyTableEntry, ext) == 4);

inline constexpr int kMaxOemKeys = 36;

using DllInitializeFn = BOOL(WINAPI*)(HHOOK** hookHandleLocation);
using InitializeOEMKeyListFn = BOOL(WINAPI*)(const OemKeyTableEntry* pkeyListFirst, int count);
using KeyboardHandlerFn = LRESULT(CALLBACK*)(int code, WPARAM wParam, LPARAM lParam);
using WaitForOEMKeyFn = BOOL(WINAPI*)(ZelkeyKey* key);
using UnloadDllFn = BOOL(WINAPI*)();
using SetButtonCheckSumFn = BOOL(WINAPI*)(int scheme, int button);
using SetSchemeCheckSumFn = BOOL(WINAPI*)(int scheme);
using SetBRSCheckSumFn = BOOL(WINAPI*)(int mode);
using VerifyBRSCheckSumFn = BOOL(WINAPI*)();
