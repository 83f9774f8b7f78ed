#pragma once
#include <windows.h>

#include <string>

// A top-level window of the process that holds the control; visibleOnly
// leaves hidden ones out.
inline HWND FindWindowWithControl(DWORD processId, int controlId, bool visibleOnly = false)
{
    struct Search {
        DWORD processId;
        int controlId;
        bool visibleOnly;
        HWND found = nullptr;
    } search{processId, controlId, visibleOnly};
    ::EnumWindows(
        [](HWND window, LPARAM lp) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner != s.processId || (s.visibleOnly && !::IsWindowVisible(window))
                || ::GetDlgItem(window, s.controlId) == nullptr)
                return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline std::wstring WindowText(HWND window)
{
    wchar_t text[1024] = {};
    ::GetWindowTextW(window, text, 1024);
    return text;
}

// A picture's path in the folder, which is made when missing.
inline std::wstring ShotPath(const std::wstring& folder, const std::wstring& name)
{
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\" + name + L".png";
}
