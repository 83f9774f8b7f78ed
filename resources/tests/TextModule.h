#pragma once
#include "UniqueHandle.h"

#include <string>

// A program's texts, built alone into <name>.dll beside the test executable.
inline UniqueModule LoadTextModule(const std::wstring& name)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.erase(folder.find_last_of(L"\\/") + 1);
    return UniqueModule(::LoadLibraryExW((folder + name + L".dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
}
