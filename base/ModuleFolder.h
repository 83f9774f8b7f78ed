#pragma once
#include <windows.h>

#include <string>

// The file a loaded module was mapped from (null: the program itself), or ""
// when the path cannot be read.
std::wstring ModulePath(HMODULE module = nullptr);

// The folder of a loaded module, ending with a backslash; `fallback` when the
// module's path cannot be read or names no folder.
std::wstring ModuleFolder(HMODULE module = nullptr, const std::wstring& fallback = L"");

// The module whose code calls this: the program, or the DLL it is linked into.
HMODULE ThisModule();
