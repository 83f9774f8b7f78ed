#include "RegistrySnapshot.h"

RegistrySnapshot::RegistrySnapshot(HKEY hive, std::wstring path) : m_hive(hive), m_path(std::move(path))
{
    UniqueKey key;
    m_existed
        = ::RegOpenKeyExW(m_hive, m_path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, key.put()) == ERROR_SUCCESS;
    if (m_existed) m_tree = Read(key.get());
}

RegistrySnapshot::Tree RegistrySnapshot::Read(HKEY key)
{
    Tree tree;
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD nameLength = 16384;
        DWORD type = 0;
        DWORD size = 0;
        if (::RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        Value value{type, std::vector<BYTE>(size)};
        nameLength = 16384;
        ::RegEnumValueW(key, i, name, &nameLength, nullptr, &type, value.data.data(), &size);
        tree.values[name] = std::move(value);
    }
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (::RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        UniqueKey child;
        if (::RegOpenKeyExW(key, name, 0, KEY_READ | KEY_WOW64_64KEY, child.put()) == ERROR_SUCCESS) {
            tree.keys[name] = Read(child.get());
        }
    }
    return tree;
}

void RegistrySnapshot::Write(HKEY key, const Tree& tree)
{
    for (const auto& [name, value] : tree.values) {
        ::RegSetValueExW(key, name.c_str(), 0, value.type, value.data.data(),
                         static_cast<DWORD>(value.data.size()));
    }
    for (const auto& [name, subtree] : tree.keys) {
        UniqueKey child;
        if (::RegCreateKeyExW(key, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr,
                              child.put(), nullptr)
            == ERROR_SUCCESS) {
            Write(child.get(), subtree);
        }
    }
}

void RegistrySnapshot::Restore() const
{
    UniqueKey key;
    if (::RegOpenKeyExW(m_hive, m_path.c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, key.put())
        == ERROR_SUCCESS) {
        ::RegDeleteTreeW(key.get(), nullptr);
        key.reset();
        ::RegDeleteKeyExW(m_hive, m_path.c_str(), KEY_WOW64_64KEY, 0);
    }
    if (!m_existed) return;
    if (::RegCreateKeyExW(m_hive, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr,
                          key.put(), nullptr)
        == ERROR_SUCCESS) {
        Write(key.get(), m_tree);
    }
}
