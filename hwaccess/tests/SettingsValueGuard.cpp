#include "SettingsValueGuard.h"
#include "UniqueHandle.h"

namespace {

UniqueKey Open(const std::wstring& path)
{
    UniqueKey key;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                          KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, key.put(),
                          nullptr) != ERROR_SUCCESS)
        key.reset();
    return key;
}

} // namespace

SettingsValueGuard::SettingsValueGuard(std::wstring keyPath, std::vector<std::wstring> names)
    : m_keyPath(std::move(keyPath))
{
    UniqueKey probe;
    m_keyExisted = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, m_keyPath.c_str(), 0,
                                   KEY_QUERY_VALUE | KEY_WOW64_64KEY, probe.put()) == ERROR_SUCCESS;
    UniqueKey key = Open(m_keyPath);
    for (auto& name : names) {
        Saved saved{std::move(name)};
        DWORD bytes = 0;
        if (::RegQueryValueExW(key.get(), saved.name.c_str(), nullptr, &saved.type, nullptr, &bytes) ==
            ERROR_SUCCESS) {
            saved.existed = true;
            saved.data.resize(bytes);
            ::RegQueryValueExW(key.get(), saved.name.c_str(), nullptr, &saved.type, saved.data.data(), &bytes);
        }
        m_saved.push_back(std::move(saved));
    }
}

SettingsValueGuard::~SettingsValueGuard()
{
    if (!m_keyExisted) {
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_keyPath.c_str());
        return;
    }
    UniqueKey key = Open(m_keyPath);
    for (const Saved& saved : m_saved) {
        if (saved.existed)
            ::RegSetValueExW(key.get(), saved.name.c_str(), 0, saved.type, saved.data.data(),
                             static_cast<DWORD>(saved.data.size()));
        else
            ::RegDeleteValueW(key.get(), saved.name.c_str());
    }
}

void SettingsValueGuard::SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) const
{
    UniqueKey key = Open(m_keyPath);
    ::RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), bytes);
}

void SettingsValueGuard::SetDword(const wchar_t* name, DWORD value) const
{
    SetRaw(name, REG_DWORD, &value, sizeof(value));
}

void SettingsValueGuard::Delete(const wchar_t* name) const
{
    UniqueKey key = Open(m_keyPath);
    ::RegDeleteValueW(key.get(), name);
}

bool SettingsValueGuard::Exists(const wchar_t* name) const
{
    return TypeOf(name) != REG_NONE;
}

DWORD SettingsValueGuard::TypeOf(const wchar_t* name) const
{
    UniqueKey key = Open(m_keyPath);
    DWORD type = REG_NONE;
    if (::RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS) return REG_NONE;
    return type;
}
