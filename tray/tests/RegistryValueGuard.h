#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Remembers the values a test touches under one HKLM key and puts them back
// (or removes them) when the test ends.
class RegistryValueGuard {
public:
    RegistryValueGuard(std::wstring keyPath, std::vector<std::wstring> names, REGSAM view = 0);
    ~RegistryValueGuard();
    RegistryValueGuard(const RegistryValueGuard&) = delete;
    RegistryValueGuard& operator=(const RegistryValueGuard&) = delete;

    void SetDword(const wchar_t* name, DWORD value) const;
    void SetString(const wchar_t* name, const std::wstring& value, DWORD type = REG_SZ) const;
    void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) const;
    void Delete(const wchar_t* name) const;
    bool Exists(const wchar_t* name) const;
    DWORD GetDword(const wchar_t* name, DWORD fallback = 0xDEADBEEF) const;
    // REG_SZ or REG_MULTI_SZ data as stored (terminators included).
    std::wstring GetRaw(const wchar_t* name) const;

private:
    struct Saved {
        std::wstring name;
        bool existed;
        DWORD type;
        std::vector<BYTE> data;
    };
    std::wstring m_keyPath;
    REGSAM m_view;
    std::vector<Saved> m_saved;
};
