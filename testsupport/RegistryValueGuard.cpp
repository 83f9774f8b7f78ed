#include "RegistryValueGuard.h"
#include "UniqueHandle.h"

namespace {

UniqueKey OpenKey(HKEY root, const std::wstring& path, REGSAM view)
{
    UniqueKey key;
    if (::RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE | view, nullptr,
                          key.put(), nullptr)
        != ERROR_SUCCESS)
        key.reset();
    return key;
}

} // namespace

RegistryValueGuard::RegistryValueGuard(std::wstring keyPath, std::vector<std::wstring> names, REGSAM view,
                                       HKEY root)
    : m_root(root), m_keyPath(std::move(keyPath)), m_view(view)
{
    UniqueKey probe;
    m_keyExisted = ::RegOpenKeyExW(m_root, m_keyPath.c_str(), 0, KEY_QUERY_VALUE | m_view, probe.put())
                   == ERROR_SUCCESS;
    UniqueKey key = OpenKey(m_root, m_keyPath, m_view);
    for (auto& name : names) {
        Saved saved{std::move(name)};
        DWORD bytes = 0;
        if (::RegQueryValueExW(key.get(), saved.name.c_str(), nullptr, &saved.type, nullptr, &bytes)
            == ERROR_SUCCESS) {
            saved.existed = true;
            saved.data.resize(bytes);
            ::RegQueryValueExW(key.get(), saved.name.c_str(), nullptr, &saved.type, saved.data.data(),
                               &bytes);
        }
        m_saved.push_back(std::move(saved));
    }
}

RegistryValueGuard::~RegistryValueGuard()
{
    if (!m_keyExisted) {
        ::RegDeleteTreeW(m_root, m_keyPath.c_str());
        return;
    }
    UniqueKey key = OpenKey(m_root, m_keyPath, m_view);
    for (const Saved& saved : m_saved) {
        if (saved.existed)
            ::RegSetValueExW(key.get(), saved.name.c_str(), 0, saved.type, saved.data.data(),
                             static_cast<DWORD>(saved.data.size()));
        else
            ::RegDeleteValueW(key.get(), saved.name.c_str());
    }
}

void RegistryValueGuard::SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes) const
{
    UniqueKey key = OpenKey(m_root, m_keyPath, m_view);
    ::RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), bytes);
}

void RegistryValueGuard::SetDword(const wchar_t* name, DWORD value) const
{
    SetRaw(name, REG_DWORD, &value, sizeof(value));
}

void RegistryValueGuard::SetString(const wchar_t* name, const std::wstring& value, DWORD type) const
{
    SetRaw(name, type, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void RegistryValueGuard::Delete(const wchar_t* name) const
{
    UniqueKey key = OpenKey(m_root, m_keyPath, m_view);
    ::RegDeleteValueW(key.get(), name);
}

bool RegistryValueGuard::Exists(const wchar_t* name) const
{
    return TypeOf(name) != REG_NONE;
}

DWORD RegistryValueGuard::TypeOf(const wchar_t* name) const
{
    UniqueKey key = OpenKey(m_root, m_keyPath, m_view);
    DWORD type = REG_NONE;
    if (::RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return REG_NONE;
    return type;
}

DWORD RegistryValueGuard::GetDword(const wchar_t* name, DWORD fallback) const
{
    UniqueKey key = OpenKey(m_root, m_keyPath, m_view);
    DWORD value = 0, bytes = sizeof(value), type = 0;
    if (::RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &bytes)
            != ERROR_SUCCESS
        || type != REG_DWORD)
        return fallback;
    return value;
}

std::wstring RegistryValueGuard::GetRaw(const wchar_t* name) const
{
    UniqueKey key = OpenKey(m_root, m_keyPath, m_view);
    DWORD bytes = 0;
    if (::RegQueryValueExW(key.get(), name, nullptr, nullptr, nullptr, &bytes) != ERROR_SUCCESS) return {};
    std::wstring data(bytes / sizeof(wchar_t), L'\0');
    ::RegQueryValueExW(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &bytes);
    return data;
}
