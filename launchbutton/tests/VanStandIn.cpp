// Stands in for the system's network-list DLL that the launch button runs
// through rundll32 ("van.dll,RunVAN"); installed into the system folder by
// the tests. Each call is a line "van.dll RunVAN <show> <arguments>" in the
// file named by TAVRIN_STANDIN_LOG.
#include "UniqueHandle.h"

#include <windows.h>

#include <string>

extern "C" __declspec(dllexport) void CALLBACK RunVAN(HWND, HINSTANCE, LPSTR arguments, int show)
{
    wchar_t log[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"TAVRIN_STANDIN_LOG", log, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    UniqueFileHandle file(::CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    const std::string line
        = "van.dll RunVAN " + std::to_string(show) + " " + (arguments ? arguments : "") + "\n";
    DWORD written = 0;
    ::WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}
