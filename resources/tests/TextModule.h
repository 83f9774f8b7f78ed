#pragma once
#include "ModuleFolder.h"
#include "UniqueHandle.h"

#include <string>

// A program's texts, built alone into <name>.dll beside the test executable.
inline UniqueModule LoadTextModule(const std::wstring& name)
{
    return UniqueModule(
        ::LoadLibraryExW((ModuleFolder() + name + L".dll").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
}
