#include "ProgramFolder.h"
#include <windows.h>

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(nullptr, path, ARRAYSIZE(path));
    std::wstring folder(path, length < ARRAYSIZE(path) ? length : 0);
    size_t slash = folder.find_last_of(L'\\');
    if (slash == std::wstring::npos) return L"C:\\Program Files\\Corvane\\Tavrin\\";
    return folder.substr(0, slash + 1);
}
