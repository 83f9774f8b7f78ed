#include "CallLog.h"

#include <cstdio>

namespace sim {

void LogCall(SimMachine& machine, SimCall call)
{
    call.sequence = ++machine.callCount;
    machine.calls[(call.sequence - 1) % kCallLogSize] = call;
}

void ClearCalls(SimMachine& machine)
{
    machine.callCount = 0;
}

std::vector<SimCall> LoggedCalls(const SimMachine& machine)
{
    uint32_t kept = machine.callCount < kCallLogSize ? machine.callCount : kCallLogSize;
    std::vector<SimCall> calls;
    calls.reserve(kept);
    for (uint32_t n = machine.callCount - kept + 1; n <= machine.callCount; ++n) {
        calls.push_back(machine.calls[(n - 1) % kCallLogSize]);
    }
    return calls;
}

std::string FormatCall(const SimCall& call)
{
    char line[160];
    std::snprintf(line, sizeof line,
                  "#%u class=0x%04X select=0x%04X args=0x%08X,0x%08X,0x%08X,0x%08X "
                  "res=%d,0x%08X,0x%08X,0x%08X",
                  static_cast<unsigned>(call.sequence), call.cbClass, call.cbSelect,
                  static_cast<unsigned>(call.args[0]), static_cast<unsigned>(call.args[1]),
                  static_cast<unsigned>(call.args[2]), static_cast<unsigned>(call.args[3]),
                  static_cast<int>(call.res1), static_cast<unsigned>(call.res[0]),
                  static_cast<unsigned>(call.res[1]), static_cast<unsigned>(call.res[2]));
    return line;
}

} // namespace sim
