#pragma once
#include <windows.h>
#include <optional>
#include <string>

// One key of the suite's settings under HKEY_LOCAL_MACHINE: the settings key
// itself or one of its sub-keys. Every value is read and written on its own,
// without caching, so a change by another program is seen at the next read.
// A value that is missing, of another type or of an unexpected size reads as
// absent and the caller's default applies; failed writes are ignored.
class CSettings {
public:
    static constexpr wchar_t kKeyPath[] = L"Software\\Corvane Computer Corporation\\Tavrin";
    static constexpr wchar_t kSelectedFeatures[] = L"SelectedFeatures";
    static constexpr wchar_t kDispConfig[] = L"DispConfig";
    // Texts are read into buffers of this many bytes, terminator included.
    static constexpr DWORD kMaxTextBytes = 260;

    CSettings() = default;
    // A sub-key of the settings key (for example kSelectedFeatures).
    explicit CSettings(const wchar_t* subKey);

    CSettings SubKey(const wchar_t* name) const;
    const std::wstring& KeyPath() const { return m_keyPath; }

    std::optional<DWORD> TryReadDword(const wchar_t* name) const;
    DWORD ReadDword(const wchar_t* name, DWORD defaultValue) const;
    std::optional<std::wstring> TryReadText(const wchar_t* name) const;
    std::wstring ReadText(const wchar_t* name, const std::wstring& defaultValue = {}) const;

    void WriteDword(const wchar_t* name, DWORD value) const;
    void WriteText(const wchar_t* name, const std::wstring& value) const;

private:
    explicit CSettings(std::wstring keyPath) : m_keyPath(std::move(keyPath)) {}
    void WriteRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) const;

    std::wstring m_keyPath = kKeyPath;
};
