#pragma once
#include "OemKeyTable.h"
#include "ProcAddress.h"
#include "UniqueHandle.h"
#include "Zelkey.h"

#include <chrono>
#include <future>
#include <optional>
#include <thread>
#include <vector>

// Zelkey.dll loaded the way the tray loads it: by name, every entry point
// resolved with GetProcAddress.
struct ZelkeyApi {
    UniqueModule module;
    DllInitializeFn DllInitialize = nullptr;
    InitializeOEMKeyListFn InitializeOEMKeyList = nullptr;
    KeyboardHandlerFn KeyboardHandler = nullptr;
    WaitForOEMKeyFn WaitForOEMKey = nullptr;
    UnloadDllFn UnloadDll = nullptr;
    SetButtonCheckSumFn SetButtonCheckSum = nullptr;
    SetSchemeCheckSumFn SetSchemeCheckSum = nullptr;
    SetBRSCheckSumFn SetBRSCheckSum = nullptr;
    VerifyBRSCheckSumFn VerifyBRSCheckSum = nullptr;

    bool Load()
    {
        module.reset(::LoadLibraryW(L"Zelkey.dll"));
        if (!module) return false;
        Resolve(DllInitialize, "DllInitialize");
        Resolve(InitializeOEMKeyList, "InitializeOEMKeyList");
        Resolve(KeyboardHandler, "KeyboardHandler");
        Resolve(WaitForOEMKey, "WaitForOEMKey");
        Resolve(UnloadDll, "UnloadDll");
        Resolve(SetButtonCheckSum, "SetButtonCheckSum");
        Resolve(SetSchemeCheckSum, "SetSchemeCheckSum");
        Resolve(SetBRSCheckSum, "SetBRSCheckSum");
        Resolve(VerifyBRSCheckSum, "VerifyBRSCheckSum");
        return DllInitialize && InitializeOEMKeyList && KeyboardHandler && WaitForOEMKey && UnloadDll
               && SetButtonCheckSum && SetSchemeCheckSum && SetBRSCheckSum && VerifyBRSCheckSum;
    }

    // Takes one key, or nothing when none came within the time: then the
    // waiting reader is woken with UnloadDll so that the test cannot hang.
    std::optional<ZelkeyKey> ReadKey(std::chrono::milliseconds within = std::chrono::seconds(5))
    {
        ZelkeyKey key{};
        auto reading = std::async(std::launch::async, [&] { return WaitForOEMKey(&key) != FALSE; });
        if (reading.wait_for(within) == std::future_status::timeout) UnloadDll();
        if (!reading.get()) return std::nullopt;
        return key;
    }

private:
    template <typename F>
    void Resolve(F& fn, const char* name)
    {
        fn = ResolveExport<F>(module.get(), name);
    }
};

// The tray's OEM key table in the layout the DLL reads.
inline std::vector<OemKeyTableEntry> TrayKeyTable()
{
    std::vector<OemKeyTableEntry> table(kOemKeyCodes.size());
    for (size_t i = 0; i < kOemKeyCodes.size(); ++i) {
        table[i].scanCode = OemKeyScanCode(kOemKeyCodes[i]);
        table[i].ext = IsExtendedOemKey(kOemKeyCodes[i]) ? 1 : 0;
    }
    return table;
}

// The lParam a WH_KEYBOARD hook receives for one stroke.
inline LPARAM KeyInfo(uint16_t scanCode, bool extended, bool released, bool repeat = false)
{
    uint32_t info = 1u | (uint32_t{scanCode} << 16);
    if (extended) info |= 1u << 24;
    if (repeat || released) info |= 1u << 30;
    if (released) info |= 1u << 31;
    return static_cast<LPARAM>(info);
}
