#include "ModuleFolder.h"

#include <vector>

std::wstring ModulePath(HMODULE module)
{
    // Paths may be longer than MAX_PATH: grow until the whole name fits.
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return L"";
        if (length < path.size()) return std::wstring(path.data(), length);
        if (path.size() >= 32768) return L"";
        path.resize(path.size() * 2);
    }
}

std::wstring ModuleFolder(HMODULE module, const std::wstring& fallback)
{
    const std::wstring path = ModulePath(module);
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return fallback;
    return path.substr(0, slash + 1);
}

HMODULE ThisModule()
{
    HMODULE self = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS
                             | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&ThisModule), &self);
    return self;
}
