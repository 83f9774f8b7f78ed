#pragma once
#include <windows.h>

#include "KeyPath.h"

#include <cstdint>
#include <optional>
#include <span>

// Integrity checksums over the button-scheme registry tree: a top-level
// key, Scheme<n> keys below it and Button<m> keys below each scheme. Each
// key's Bitmap selects which of its values take part; the result is stored
// in the key's own CheckSum value. Nothing here is shown to the user: every
// failure is a false result. Paths are built on the stack: the DLL has
// no C++ runtime.
class BrsChecksum {
public:
    enum class ItemType { Dword, String };
    struct Item {
        const wchar_t* name;
        ItemType type;
        DWORD bufferBytes; // strings longer than this cannot be read
    };

    BrsChecksum(HKEY hive, const wchar_t* rootPath) : m_hive(hive), m_root(rootPath) {}

    // The mixing step applied to a key's total.
    static uint32_t Mix(uint32_t total);

    std::optional<uint32_t> GetBRSCheckSum() const;
    std::optional<uint32_t> GetSchemeCheckSum(int scheme) const;
    std::optional<uint32_t> GetButtonCheckSum(int scheme, int button) const;

    bool SetBRSCheckSum(int mode) const;
    bool SetSchemeCheckSum(int scheme) const;
    bool SetButtonCheckSum(int scheme, int button) const;

    bool VerifyBRSCheckSum() const;

private:
    KeyPath SchemePath(int scheme) const;
    KeyPath ButtonPath(int scheme, int button) const;
    std::optional<uint32_t> KeyChecksum(const KeyPath& path, std::span<const Item> items) const;
    std::optional<DWORD> ReadDword(const KeyPath& path, const wchar_t* name) const;
    bool WriteChecksum(const KeyPath& path, uint32_t checksum) const;
    bool SetAllButtonsCheckSum(int scheme, int buttons) const;
    bool VerifyKey(const KeyPath& path, std::optional<uint32_t> computed) const;
    bool VerifySchemeCheckSum(int scheme) const;
    bool VerifyButtonCheckSum(int scheme, int button) const;

    HKEY m_hive;
    const wchar_t* m_root;
};
