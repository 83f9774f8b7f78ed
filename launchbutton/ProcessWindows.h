#pragma once
#include <windows.h>

#include <string>

// Other programs' processes and windows, found by executable name.
namespace process_windows {

// The id of a running process with that executable name (case ignored)
// other than `except`; 0 when there is none.
DWORD FindProcess(const std::wstring& exeName, DWORD except = 0);

// Topmost for a moment, then back: in front of the others without staying there.
void BringToFront(HWND window);

// The first visible top-level window of the process, raised to its top-most
// owner-less parent, restored when minimised and brought to the front.
// False when the process shows no window.
bool BringProcessForward(DWORD processId);

// The file name after the last backslash.
std::wstring FileName(const std::wstring& path);

} // namespace process_windows
