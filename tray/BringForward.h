#pragma once
#include <windows.h>

// Brings another program's window in front of the others without taking
// the focus from the user: topmost for a moment, then back to normal.
inline void BringForward(HWND hwnd)
{
    ::SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
