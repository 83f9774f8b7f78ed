#include "ProcessWindows.h"

#include "UniqueHandle.h"

#include <tlhelp32.h>

namespace process_windows {

DWORD FindProcess(const std::wstring& exeName, DWORD except)
{
    UniqueFileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return 0;
    PROCESSENTRY32W entry{sizeof(entry)};
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ProcessID != except && _wcsicmp(entry.szExeFile, exeName.c_str()) == 0)
            return entry.th32ProcessID;
    }
    return 0;
}

void BringToFront(HWND window)
{
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool BringProcessForward(DWORD processId)
{
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner != s.processId || (::GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) == 0) return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) return false;
    HWND top = search.found;
    while (HWND parent = ::GetParent(top)) top = parent;
    if (::IsIconic(top)) ::ShowWindow(top, SW_RESTORE);
    BringToFront(top);
    return true;
}

std::wstring FileName(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

} // namespace process_windows
