#include "Settings.h"
#include "UniqueHandle.h"

#include <algorithm>
#include <cstring>

namespace {

// The settings are shared by 64-bit programs; the 64-bit view keeps a 32-bit
// helper reading the same values.
constexpr REGSAM kView = KEY_WOW64_64KEY;

UniqueKey OpenForRead(const std::wstring& path)
{
    UniqueKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE | kView, key.put())
        != ERROR_SUCCESS)
        key.reset();
    return key;
}

} // namespace

CSettings::CSettings(const wchar_t* subKey) : m_keyPath(std::wstring(kKeyPath) + L"\\" + subKey) {}

CSettings CSettings::SubKey(const wchar_t* name) const
{
    return CSettings(m_keyPath + L"\\" + name);
}

std::optional<DWORD> CSettings::TryReadDword(const wchar_t* name) const
{
    UniqueKey key = OpenForRead(m_keyPath);
    if (!key) return std::nullopt;
    // One byte more than a DWORD so that a longer value shows as too long
    // instead of failing like a missing one.
    BYTE data[sizeof(DWORD) + 1] = {};
    DWORD type = REG_NONE;
    DWORD size = sizeof(data);
    if (::RegQueryValueExW(key.get(), name, nullptr, &type, data, &size) != ERROR_SUCCESS || type != REG_DWORD
        || size != sizeof(DWORD))
        return std::nullopt;
    DWORD value = 0;
    std::memcpy(&value, data, sizeof(value));
    return value;
}

DWORD CSettings::ReadDword(const wchar_t* name, DWORD defaultValue) const
{
    return TryReadDword(name).value_or(defaultValue);
}

std::optional<std::wstring> CSettings::TryReadText(const wchar_t* name) const
{
    UniqueKey key = OpenForRead(m_keyPath);
    if (!key) return std::nullopt;
    wchar_t buffer[kMaxTextBytes / sizeof(wchar_t)] = {};
    DWORD type = REG_NONE;
    DWORD size = sizeof(buffer);
    // Longer values fail with ERROR_MORE_DATA and read as absent.
    if (::RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size)
            != ERROR_SUCCESS
        || type != REG_SZ)
        return std::nullopt;
    // The stored data need not be terminated: the text ends at the first
    // terminator or at the end of the data, whichever comes first.
    const size_t stored = std::min<size_t>(size / sizeof(wchar_t), std::size(buffer));
    return std::wstring(buffer, std::find(buffer, buffer + stored, L'\0'));
}

std::wstring CSettings::ReadText(const wchar_t* name, const std::wstring& defaultValue) const
{
    return TryReadText(name).value_or(defaultValue);
}

void CSettings::WriteRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) const
{
    UniqueKey key;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, m_keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE | kView,
                          nullptr, key.put(), nullptr)
        != ERROR_SUCCESS)
        return;
    ::RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), bytes);
}

void CSettings::WriteDword(const wchar_t* name, DWORD value) const
{
    WriteRaw(name, REG_DWORD, &value, sizeof(value));
}

void CSettings::WriteText(const wchar_t* name, const std::wstring& value) const
{
    WriteRaw(name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}
