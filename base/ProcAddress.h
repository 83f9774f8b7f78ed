#pragma once
#include <windows.h>

// An export of a module loaded at run time, as a typed function pointer; null
// when the module or the export is missing.
template <typename Fn>
Fn ResolveExport(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}
