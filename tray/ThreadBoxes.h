#pragma once
#include <windows.h>

// Waits for a thread that may be showing a message box, answering its boxes
// with OK until it ends, so that a closing tray never leaves one behind.
inline void AnswerThreadBoxes(HANDLE thread, DWORD threadId)
{
    while (::WaitForSingleObject(thread, 100) == WAIT_TIMEOUT) {
        ::EnumThreadWindows(
            threadId,
            [](HWND window, LPARAM) -> BOOL {
                ::PostMessageW(window, WM_COMMAND, IDOK, 0);
                return TRUE;
            },
            0);
    }
}
