#pragma once
#include <windows.h>

// Handles open in a process (opened with PROCESS_DUP_HANDLE, or this
// process's pseudo handle). Wine answers GetProcessHandleCount with 0, so the
// handle table is walked instead: a slot holds a handle when it can be
// duplicated. Handles are handed out from the lowest free slot, so a long run
// of free slots marks the end of the table.
DWORD CountOpenHandles(HANDLE process);
