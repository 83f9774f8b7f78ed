#pragma once
#include <windows.h>

#include "SimMachine.h"

namespace sim {

// Answers one battery I/O control (query tag, information or status) for the
// pack in `slot`, as the battery class driver would: the Win32 error (0 =
// done) and the bytes written to `output` in `returned`. A string that does
// not fit is cut, and ERROR_MORE_DATA reports in `returned` the bytes it needs.
DWORD AnswerBatteryIoctl(SimMachine& machine, int slot, DWORD code, const void* input, DWORD inputBytes,
                         void* output, DWORD outputBytes, DWORD& returned);

} // namespace sim
