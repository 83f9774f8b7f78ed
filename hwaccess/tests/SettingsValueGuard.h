#pragma once
#include <windows.h>
#include <string>
#include <vector>

// Puts the named values of one HKLM key back as they were (or removes them)
// when a test ends, and removes the key itself when the test created it.
class SettingsValueGuard {
public:
    SettingsValueGuard(std::wstring keyPath, std::vector<std::wstring> names);
    ~SettingsValueGuard();
    SettingsValueGuard(const SettingsValueGuard&) = delete;
    SettingsValueGuard& operator=(const SettingsValueGuard&) = delete;

    // Stores raw data of any type and size, bypassing the code under test.
    void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) const;
    void SetDword(const wchar_t* name, DWORD value) const;
    void Delete(const wchar_t* name) const;
    bool Exists(const wchar_t* name) const;
    DWORD TypeOf(const wchar_t* name) const;

private:
    struct Saved {
        std::wstring name;
        bool existed = false;
        DWORD type = REG_NONE;
        std::vector<BYTE> data;
    };
    std::wstring m_keyPath;
    bool m_keyExisted = false;
    std::vector<Saved> m_saved;
};
