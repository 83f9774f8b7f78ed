#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Remembers the values a test touches under one key (of HKLM unless told) and puts them back
// (or removes them) when the test ends; removes the key itself when the test
// created it. Reads and writes bypass the code under test.
class RegistryValueGuard {
public:
    RegistryValueGuard(std::wstring keyPath, std::vector<std::wstring> names, REGSAM view = 0,
                       HKEY root = HKEY_LOCAL_MACHINE);
    ~RegistryValueGuard();
    RegistryValueGuard(const RegistryValueGuard&) = delete;
    RegistryValueGuard& operator=(const RegistryValueGuard&) = delete;

    // Stores raw data of any type and size.
    void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) const;
    void SetDword(const wchar_t* name, DWORD value) const;
    void SetString(const wchar_t* name, const std::wstring& value, DWORD type = REG_SZ) const;
    void Delete(const wchar_t* name) const;
    bool Exists(const wchar_t* name) const;
    // REG_NONE when the value is missing.
    DWORD TypeOf(const wchar_t* name) const;
    DWORD GetDword(const wchar_t* name, DWORD fallback = 0xDEADBEEF) const;
    // REG_SZ or REG_MULTI_SZ data as stored (terminators included).
    std::wstring GetRaw(const wchar_t* name) const;

private:
    struct Saved {
        std::wstring name;
        bool existed = false;
        DWORD type = REG_NONE;
        std::vector<BYTE> data;
    };
    HKEY m_root;
    std::wstring m_keyPath;
    REGSAM m_view;
    bool m_keyExisted = false;
    std::vector<Saved> m_saved;
};
